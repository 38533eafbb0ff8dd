// Transactions, the same on every database, and choosing the driver by
// the URL's scheme.
#include "halloffame/database.h"

#include "halloffame/postgresdatabase.h"
#include "halloffame/sqlitedatabase.h"

bool Database::transaction(const std::function<bool()>& work) {
    outOfRoom_ = false;
    if (!exec(begin()).ok) return false;
    bool done = false;
    try {
        done = work() && exec("COMMIT").ok;
    } catch (const DatabaseUnavailable&) {
        // A connection that broke has no transaction left to end.
        try {
            exec("ROLLBACK");
        } catch (const DatabaseUnavailable&) {
        }
        throw;
    }
    if (!done) exec("ROLLBACK");
    return done;
}

bool isPostgresUrl(const QString& url) {
    return url.startsWith(QLatin1String("postgresql://")) || url.startsWith(QLatin1String("postgres://"));
}

std::unique_ptr<Database> openDatabase(const QString& url, QString& problem) {
    if (isPostgresUrl(url)) return PostgresDatabase::open(url, problem);
    return SqliteDatabase::open(url.mid(url.indexOf(QLatin1Char(':')) + 1), problem);
}
