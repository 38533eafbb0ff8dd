// Each statement prepared, its values bound by their numbers, its rows read
// by their columns' types.
#include "halloffame/sqlitedatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace {

// Another connection holding the file's write lock is waited for this long.
constexpr int BusyMs = 5000;

void bind(sqlite3_stmt* statement, int at, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType: sqlite3_bind_null(statement, at); break;
    case QMetaType::Double: sqlite3_bind_double(statement, at, value.toDouble()); break;
    case QMetaType::QString: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(statement, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(statement, at, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    default: sqlite3_bind_int64(statement, at, value.toLongLong()); break;
    }
}

QVariant column(sqlite3_stmt* statement, int at) {
    switch (sqlite3_column_type(statement, at)) {
    case SQLITE_INTEGER: return qint64(sqlite3_column_int64(statement, at));
    case SQLITE_FLOAT: return sqlite3_column_double(statement, at);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, at)),
                                 sqlite3_column_bytes(statement, at));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, at)),
                          sqlite3_column_bytes(statement, at));
    default: return {};
    }
}

bool busy(int code) { return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED; }

}  // namespace

std::unique_ptr<Database> SqliteDatabase::open(const QString& path, QString& problem) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    const int opened = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    if (opened == SQLITE_OK) {
        sqlite3_busy_timeout(db, BusyMs);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, &error);
    }
    if (opened != SQLITE_OK || error) {
        problem = QStringLiteral("cannot open the database %1: %2")
                      .arg(path, QString::fromUtf8(error ? error : sqlite3_errmsg(db)));
        sqlite3_free(error);
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<Database>(new SqliteDatabase(db));
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

Result SqliteDatabase::exec(const char* sql, const std::vector<QVariant>& values) {
    Result result;
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        if (busy(code)) throw DatabaseUnavailable(sqlite3_errmsg(db_));
        return result;
    }
    for (size_t n = 0; n < values.size(); ++n) {
        const QByteArray name = "$" + QByteArray::number(qint64(n + 1));
        if (const int at = sqlite3_bind_parameter_index(statement, name.constData())) bind(statement, at, values[n]);
    }
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int at = 0; at < sqlite3_column_count(statement); ++at) row.push_back(column(statement, at));
        result.rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (busy(code)) throw DatabaseUnavailable(sqlite3_errmsg(db_));
    result.ok = code == SQLITE_DONE;
    if ((code & 0xff) == SQLITE_FULL || (code & 0xff) == SQLITE_IOERR) outOfRoom_ = true;
    result.changed = result.ok ? sqlite3_changes64(db_) : 0;
    return result;
}
