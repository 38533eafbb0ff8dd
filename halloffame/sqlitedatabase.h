// The hall's database in one SQLite file, in WAL mode, every change synced
// to the disk: a hall on one machine, which is made on first start.
#pragma once

#include <memory>

#include "halloffame/database.h"

struct sqlite3;

class SqliteDatabase : public Database {
public:
    static std::unique_ptr<Database> open(const QString& path, QString& problem);
    ~SqliteDatabase() override;

    Result exec(const char* sql, const std::vector<QVariant>& values) override;
    void lockSchema() override {}
    const char* forUpdateSkipLocked() const override { return ""; }
    const char* serialKey() const override { return "INTEGER PRIMARY KEY"; }
    // One, as the hall always had: each more costs its own cache of pages
    // (3 to 4 MiB under load) and the pages read under load gained nothing.
    int connections() const override { return 1; }

protected:
    const char* begin() const override { return "BEGIN IMMEDIATE"; }

private:
    explicit SqliteDatabase(sqlite3* db) : db_(db) {}

    sqlite3* db_;
};
