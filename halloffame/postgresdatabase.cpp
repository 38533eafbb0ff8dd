// libpq's connection, statements sent with their values apart from the
// text (bytes in binary), and rows read back by their columns' types.
#include "halloffame/postgresdatabase.h"

#include <libpq-fe.h>

#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <poll.h>

namespace {

// PostgreSQL's numbers for the types read back.
constexpr Oid Bool = 16, Bytes = 17, Int8 = 20, Int2 = 21, Int4 = 23, Float4 = 700, Float8 = 701, Numeric = 1700;
// How long an answer is waited for: the server's own bound on a statement
// and a little more, for a server that has stopped answering at all.
constexpr int StatementMs = 4000;
constexpr auto Patience = std::chrono::milliseconds(StatementMs + 500);
// The same for every hall: the number of the lock held while the schema changes.
constexpr const char* SchemaLock = "SELECT pg_advisory_xact_lock(7242797102)";

QString firstLine(const char* text) {
    return QString::fromUtf8(text).trimmed().section(QLatin1Char('\n'), 0, 0);
}

QVariant column(const PGresult* result, int row, int at) {
    if (PQgetisnull(result, row, at)) return {};
    const char* text = PQgetvalue(result, row, at);
    switch (PQftype(result, at)) {
    case Int2:
    case Int4:
    case Int8: return QByteArray(text).toLongLong();
    case Float4:
    case Float8:
    case Numeric: return QByteArray(text).toDouble();
    case Bool: return qint64(text[0] == 't');
    case Bytes: {
        size_t size = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        QByteArray copy(reinterpret_cast<const char*>(bytes), qsizetype(size));
        PQfreemem(bytes);
        return copy;
    }
    default: return QString::fromUtf8(text, PQgetlength(result, row, at));
    }
}

}  // namespace

QString withoutPassword(const QString& url) {
    static const QRegularExpression password(QStringLiteral("^([a-z]+://[^:@/]*):[^@/]*@"));
    return QString(url).replace(password, QStringLiteral("\\1@"));
}

std::unique_ptr<Database> PostgresDatabase::open(const QString& url, QString& problem) {
    std::unique_ptr<PostgresDatabase> db(new PostgresDatabase(url.toUtf8()));
    problem = db->connect();
    if (!problem.isEmpty()) return nullptr;
    return db;
}

PostgresDatabase::~PostgresDatabase() { PQfinish(connection_); }

QString PostgresDatabase::connect() {
    PQfinish(connection_);
    // The URL comes last, so that what it says wins over these.
    const char* const keys[] = {"connect_timeout", "options", "application_name", "dbname", nullptr};
    const QByteArray options = "-c statement_timeout=" + QByteArray::number(StatementMs);
    const char* const values[] = {"3", options.constData(), "vorlane-hall", url_.constData(), nullptr};
    connection_ = PQconnectdbParams(keys, values, 1);
    // The server's notices (a table already there) are no news to an operator.
    PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
    if (PQstatus(connection_) == CONNECTION_OK) return {};
    return QStringLiteral("cannot open the database %1: %2")
        .arg(withoutPassword(QString::fromUtf8(url_)), firstLine(PQerrorMessage(connection_)));
}

Result PostgresDatabase::exec(const char* sql, const std::vector<QVariant>& values) {
    if (PQstatus(connection_) != CONNECTION_OK) {
        const QString problem = connect();
        if (!problem.isEmpty()) throw DatabaseUnavailable(problem.toStdString());
    }
    std::vector<QByteArray> texts(values.size());
    std::vector<const char*> pointers(values.size(), nullptr);
    std::vector<int> lengths(values.size(), 0), formats(values.size(), 0);
    std::vector<Oid> types(values.size(), 0);
    for (size_t n = 0; n < values.size(); ++n) {
        const QVariant& value = values[n];
        if (!value.isValid()) continue;
        switch (value.typeId()) {
        case QMetaType::QByteArray:
            texts[n] = value.toByteArray();
            formats[n] = 1;
            types[n] = Bytes;
            break;
        case QMetaType::QString: texts[n] = value.toString().toUtf8(); break;
        case QMetaType::Double: texts[n] = QByteArray::number(value.toDouble(), 'g', 17); break;
        default: texts[n] = QByteArray::number(value.toLongLong()); break;
        }
        pointers[n] = texts[n].constData();
        lengths[n] = int(texts[n].size());
    }
    const auto run = [&] {
        if (!PQsendQueryParams(connection_, sql, int(values.size()), types.data(), pointers.data(), lengths.data(),
                               formats.data(), 0))
            return answer();
        if (!awaitAnswer()) {
            PQfinish(connection_);
            connection_ = nullptr;
            throw DatabaseUnavailable("the database did not answer in time");
        }
        return answer();
    };
    // A connection the server dropped (it restarted) is found broken only
    // when used: outside a transaction the statement goes again on a new one.
    const bool alone = PQtransactionStatus(connection_) == PQTRANS_IDLE;
    PGresult* answer = run();
    if (PQstatus(connection_) != CONNECTION_OK && alone && connect().isEmpty()) {
        PQclear(answer);
        answer = run();
    }
    Result result;
    const ExecStatusType status = PQresultStatus(answer);
    result.ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (result.ok) {
        for (int row = 0; row < PQntuples(answer); ++row) {
            Row values;
            for (int at = 0; at < PQnfields(answer); ++at) values.push_back(column(answer, row, at));
            result.rows.push_back(std::move(values));
        }
        result.changed = QByteArray(PQcmdTuples(answer)).toLongLong();
    }
    // 57014: the statement ran past its time; 57P: the server is shutting down or restarting.
    const QByteArray state = PQresultErrorField(answer, PG_DIAG_SQLSTATE);
    PQclear(answer);
    if (PQstatus(connection_) != CONNECTION_OK || state == "57014" || state.startsWith("57P") ||
        state.startsWith("08"))
        throw DatabaseUnavailable(firstLine(PQerrorMessage(connection_)).toStdString());
    return result;
}

bool PostgresDatabase::awaitAnswer() {
    const auto until = std::chrono::steady_clock::now() + Patience;
    while (PQisBusy(connection_)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd readable{PQsocket(connection_), POLLIN, 0};
        if (poll(&readable, 1, int(left.count())) < 0 && errno != EINTR) return true;
        // A broken connection leaves its error for answer() to read.
        if (!PQconsumeInput(connection_)) return true;
    }
    return true;
}

PGresult* PostgresDatabase::answer() {
    PGresult* last = nullptr;
    while (PGresult* next = PQgetResult(connection_)) {
        PQclear(last);
        last = next;
    }
    return last;
}

void PostgresDatabase::lockSchema() { exec(SchemaLock, {}); }
