// The schema and the queries on it.
#include "halloffame/store.h"

#include <sqlite3.h>

#include <QStringList>

namespace {

const char* const Schema = R"(
CREATE TABLE IF NOT EXISTS entries (
    id INTEGER PRIMARY KEY,
    sha256 BLOB NOT NULL UNIQUE,
    bytes BLOB NOT NULL,
    sent INTEGER NOT NULL,
    status TEXT NOT NULL,
    reason TEXT NOT NULL,
    name TEXT NOT NULL,
    score REAL NOT NULL,
    wave INTEGER NOT NULL,
    played INTEGER NOT NULL,
    length_ms INTEGER NOT NULL,
    settings TEXT NOT NULL,
    board TEXT,
    version TEXT NOT NULL,
    minutes TEXT NOT NULL,
    picture BLOB,
    hidden INTEGER NOT NULL DEFAULT 0,
    claimed_at INTEGER,
    proven_by TEXT NOT NULL DEFAULT '',
    earlier_version INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS entries_waiting ON entries (id) WHERE status = 'queued';
CREATE INDEX IF NOT EXISTS entries_by_board ON entries (board, score DESC, id);
)";

const char* const EntryColumns =
    "id, status, reason, name, score, wave, played, sent, length_ms, settings, coalesce(board, ''), version, minutes, "
    "proven_by, earlier_version";

// One prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return statement_ != nullptr; }
    Statement& bind(int at, qint64 value) {
        sqlite3_bind_int64(statement_, at, value);
        return *this;
    }
    Statement& bind(int at, double value) {
        sqlite3_bind_double(statement_, at, value);
        return *this;
    }
    Statement& bind(int at, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement_, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindBlob(int at, const QByteArray& bytes) {
        sqlite3_bind_blob(statement_, at, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindNull(int at) {
        sqlite3_bind_null(statement_, at);
        return *this;
    }
    bool row() { return ok() && sqlite3_step(statement_) == SQLITE_ROW; }
    bool done() { return ok() && sqlite3_step(statement_) == SQLITE_DONE; }
    qint64 integer(int column) { return sqlite3_column_int64(statement_, column); }
    double real(int column) { return sqlite3_column_double(statement_, column); }
    QString text(int column) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement_, column)),
                                 sqlite3_column_bytes(statement_, column));
    }
    QByteArray blob(int column) {
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, column)),
                          sqlite3_column_bytes(statement_, column));
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Reads the columns of EntryColumns from the given one on.
Entry entryAt(Statement& row, int first) {
    Entry entry;
    entry.id = row.integer(first);
    entry.status = row.text(first + 1);
    entry.reason = row.text(first + 2);
    entry.name = row.text(first + 3);
    entry.score = row.real(first + 4);
    entry.wave = int(row.integer(first + 5));
    entry.played = row.integer(first + 6);
    entry.sent = row.integer(first + 7);
    entry.lengthMs = row.integer(first + 8);
    entry.settings = row.text(first + 9);
    entry.board = row.text(first + 10);
    entry.gameVersion = row.text(first + 11);
    for (const QString& score : row.text(first + 12).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        entry.scoreByMinute.push_back(score.toDouble());
    entry.provenBy = row.text(first + 13);
    entry.earlierVersion = row.integer(first + 14) != 0;
    return entry;
}

QString minutesText(const std::vector<double>& scores) {
    QStringList words;
    for (double score : scores) words << QString::number(score, 'f', 0);
    return words.join(QLatin1Char(' '));
}

// The board's games, each name's best once, ranked.
const char* const BoardQuery =
    "SELECT rank() OVER (ORDER BY score DESC), id, status, reason, name, score, wave, played, sent, length_ms, "
    "settings, coalesce(board, ''), version, minutes, proven_by, earlier_version FROM ("
    "  SELECT *, row_number() OVER (PARTITION BY name ORDER BY score DESC, id) AS nth"
    "  FROM entries WHERE board = ?1 AND status = 'verified' AND hidden = 0"
    ") WHERE nth = 1 ORDER BY score DESC, id LIMIT ?2 OFFSET ?3";

}  // namespace

std::unique_ptr<Store> Store::open(const QString& path, QString& problem) {
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    const int opened =
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    char* error = nullptr;
    if (opened == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, &error);
        if (!error) sqlite3_exec(db, Schema, nullptr, nullptr, &error);
        // A hall that proved each upload before keeping it made no claims.
        if (!error && !Statement(db, "SELECT claimed_at FROM entries").ok())
            sqlite3_exec(db, "ALTER TABLE entries ADD COLUMN claimed_at INTEGER", nullptr, nullptr, &error);
        // Nor did it say which version proved a game: each is proven again.
        if (!error && !Statement(db, "SELECT proven_by FROM entries").ok())
            sqlite3_exec(db,
                         "ALTER TABLE entries ADD COLUMN proven_by TEXT NOT NULL DEFAULT ''; "
                         "ALTER TABLE entries ADD COLUMN earlier_version INTEGER NOT NULL DEFAULT 0",
                         nullptr, nullptr, &error);
        // The games to prove again are found without reading every game.
        if (!error)
            sqlite3_exec(db,
                         "CREATE INDEX IF NOT EXISTS entries_by_prover ON entries (proven_by, id) "
                         "WHERE status = 'verified' AND earlier_version = 0",
                         nullptr, nullptr, &error);
    }
    if (opened != SQLITE_OK || error) {
        problem = QStringLiteral("cannot open the database %1: %2")
                      .arg(path, QString::fromUtf8(error ? error : sqlite3_errmsg(db)));
        sqlite3_free(error);
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<Store>(new Store(db));
}

Store::~Store() { sqlite3_close(db_); }

std::optional<qint64> Store::idOfBytes(const QByteArray& sha256) {
    std::lock_guard lock(mutex_);
    Statement find(db_, "SELECT id FROM entries WHERE sha256 = ?1");
    find.bindBlob(1, sha256);
    if (!find.row()) return std::nullopt;
    return find.integer(0);
}

std::optional<qint64> Store::enqueue(const QByteArray& bytes, const QByteArray& sha256, const QString& name,
                                     qint64 sentMs, Refusal& refusal) {
    std::lock_guard lock(mutex_);
    Statement insert(db_,
                     "INSERT INTO entries (sha256, bytes, sent, status, reason, name, score, wave, played, length_ms, "
                     "settings, version, minutes) VALUES (?1, ?2, ?3, 'queued', '', ?4, 0, 0, 0, 0, '', '', '') "
                     "ON CONFLICT (sha256) DO NOTHING");
    insert.bindBlob(1, sha256).bindBlob(2, bytes).bind(3, sentMs).bind(4, name);
    if (!insert.done()) {
        const int code = sqlite3_errcode(db_) & 0xff;
        refusal = code == SQLITE_FULL || code == SQLITE_IOERR ? Refusal::NoRoom : Refusal::Busy;
        return std::nullopt;
    }
    Statement find(db_, "SELECT id FROM entries WHERE sha256 = ?1");
    find.bindBlob(1, sha256);
    if (!find.row()) return std::nullopt;
    return find.integer(0);
}

std::optional<Job> Store::claim(qint64 nowMs) {
    constexpr qint64 Forgotten = 60 * 1000;
    std::lock_guard lock(mutex_);
    // Immediate: two provers never take the same replay.
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return std::nullopt;
    Statement find(db_,
                   "SELECT id, bytes FROM entries WHERE status = 'queued' "
                   "AND (claimed_at IS NULL OR claimed_at < ?1) ORDER BY id LIMIT 1");
    find.bind(1, nowMs - Forgotten);
    std::optional<Job> job;
    if (find.row()) job = Job{find.integer(0), find.blob(1)};
    // Proven by a version either side of this one, each side read off the index.
    Statement outdated(db_,
                       "SELECT id, bytes FROM entries WHERE id IN ("
                       "  SELECT id FROM entries WHERE status = 'verified' AND earlier_version = 0 AND proven_by < ?1"
                       "  UNION ALL"
                       "  SELECT id FROM entries WHERE status = 'verified' AND earlier_version = 0 AND proven_by > ?1"
                       ") AND (claimed_at IS NULL OR claimed_at < ?2) ORDER BY id LIMIT 1");
    if (!job && outdated.bind(1, provingVersion()).bind(2, nowMs - Forgotten).row())
        job = Job{outdated.integer(0), outdated.blob(1), true};
    if (job) {
        Statement take(db_, "UPDATE entries SET claimed_at = ?1 WHERE id = ?2");
        if (!take.bind(1, nowMs).bind(2, job->id).done()) job.reset();
    }
    if (sqlite3_exec(db_, job ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return std::nullopt;
    }
    return job;
}

void Store::settle(qint64 id, const Proof& proof) {
    std::lock_guard lock(mutex_);
    if (!proof.replay) {
        Statement forget(db_, "DELETE FROM entries WHERE id = ?1 AND status = 'queued'");
        forget.bind(1, id).done();
        return;
    }
    Statement update(db_,
                     "UPDATE entries SET status = ?2, reason = ?3, name = CASE WHEN ?4 = '' THEN name ELSE ?4 END, "
                     "score = ?5, wave = ?6, played = ?7, length_ms = ?8, settings = ?9, board = ?10, version = ?11, "
                     "minutes = ?12, picture = ?13, claimed_at = NULL, proven_by = ?14 "
                     "WHERE id = ?1 AND status = 'queued'");
    update.bind(1, id);
    update.bind(2, proof.verified ? QStringLiteral("verified") : QStringLiteral("rejected")).bind(3, proof.reason);
    update.bind(4, proof.name).bind(5, proof.score).bind(6, qint64(proof.wave)).bind(7, proof.played);
    update.bind(8, proof.lengthMs).bind(9, proof.settings);
    if (proof.verified)
        update.bind(10, proof.board);
    else
        update.bindNull(10);
    update.bind(11, proof.gameVersion).bind(12, minutesText(proof.scoreByMinute));
    if (proof.picture.isEmpty())
        update.bindNull(13);
    else
        update.bindBlob(13, proof.picture);
    update.bind(14, provingVersion()).done();
}

void Store::settleAgain(qint64 id, const Proof& proof) {
    std::lock_guard lock(mutex_);
    Statement update(db_,
                     "UPDATE entries SET claimed_at = NULL, "
                     "proven_by = CASE WHEN ?2 AND score = ?3 AND wave = ?4 THEN ?5 ELSE proven_by END, "
                     "earlier_version = NOT (?2 AND score = ?3 AND wave = ?4) WHERE id = ?1 AND status = 'verified'");
    update.bind(1, id).bind(2, qint64(proof.verified)).bind(3, proof.score).bind(4, qint64(proof.wave));
    update.bind(5, provingVersion()).done();
}

void Store::releaseClaims() {
    std::lock_guard lock(mutex_);
    sqlite3_exec(db_, "UPDATE entries SET claimed_at = NULL WHERE claimed_at IS NOT NULL", nullptr, nullptr, nullptr);
}

std::optional<Entry> Store::entry(qint64 id) {
    std::lock_guard lock(mutex_);
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns + " FROM entries WHERE id = ?1 AND hidden = 0";
    Statement find(db_, sql.constData());
    find.bind(1, id);
    if (!find.row()) return std::nullopt;
    Entry entry = entryAt(find, 0);
    if (entry.status != QLatin1String("verified") || entry.board.isEmpty()) return entry;
    // Its place on its board, among every game there.
    Statement rank(db_,
                   "SELECT 1 + count(*) FROM entries WHERE board = ?1 AND status = 'verified' AND hidden = 0 "
                   "AND score > ?2");
    rank.bind(1, entry.board).bind(2, entry.score);
    if (rank.row()) entry.rank = int(rank.integer(0));
    return entry;
}

std::vector<Entry> Store::board(const QString& board, int limit, int offset) {
    std::lock_guard lock(mutex_);
    Statement list(db_, BoardQuery);
    list.bind(1, board).bind(2, qint64(limit)).bind(3, qint64(offset));
    std::vector<Entry> entries;
    while (list.row()) {
        entries.push_back(entryAt(list, 1));
        entries.back().rank = int(list.integer(0));
    }
    return entries;
}

std::vector<Board> Store::boards() {
    std::lock_guard lock(mutex_);
    Statement list(db_,
                   "SELECT board, min(settings), count(*) FROM entries "
                   "WHERE status = 'verified' AND hidden = 0 GROUP BY board ORDER BY board = 'standard' DESC, board");
    std::vector<Board> boards;
    while (list.row()) boards.push_back({list.text(0), list.text(1), int(list.integer(2))});
    return boards;
}

std::vector<Entry> Store::list(const char* sql, int limit) {
    std::lock_guard lock(mutex_);
    Statement list(db_, sql);
    list.bind(1, qint64(limit));
    std::vector<Entry> entries;
    while (list.row()) entries.push_back(entryAt(list, 0));
    return entries;
}

std::vector<Entry> Store::recent(int limit) {
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns + " FROM entries WHERE hidden = 0 ORDER BY id DESC LIMIT ?1";
    return list(sql.constData(), limit);
}

std::vector<Entry> Store::firstPlaces(int limit) {
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns +
                           " FROM entries AS e WHERE status = 'verified' AND hidden = 0 AND NOT EXISTS ("
                           "  SELECT 1 FROM entries AS o WHERE o.board = e.board AND o.status = 'verified'"
                           "  AND o.hidden = 0 AND o.id < e.id AND o.score >= e.score"
                           ") ORDER BY id DESC LIMIT ?1";
    return list(sql.constData(), limit);
}

std::optional<QByteArray> Store::blob(const char* sql, qint64 id) {
    std::lock_guard lock(mutex_);
    Statement find(db_, sql);
    find.bind(1, id);
    if (!find.row()) return std::nullopt;
    return find.blob(0);
}

std::vector<Showing> Store::bestFirst() {
    std::lock_guard lock(mutex_);
    Statement list(db_,
                   "SELECT id, length_ms FROM ("
                   "  SELECT id, length_ms, score,"
                   "    row_number() OVER (PARTITION BY board ORDER BY score DESC, id) AS place"
                   "  FROM entries WHERE status = 'verified' AND hidden = 0"
                   ") AS placed ORDER BY place, score DESC, id");
    std::vector<Showing> games;
    while (list.row()) games.push_back({list.integer(0), list.integer(1)});
    return games;
}

std::optional<QByteArray> Store::replayBytes(qint64 id) {
    return blob("SELECT bytes FROM entries WHERE id = ?1 AND hidden = 0", id);
}

std::optional<QByteArray> Store::picture(qint64 id) {
    return blob("SELECT picture FROM entries WHERE id = ?1 AND hidden = 0 AND picture IS NOT NULL", id);
}

bool Store::setHidden(qint64 id, bool hidden) {
    std::lock_guard lock(mutex_);
    Statement update(db_, "UPDATE entries SET hidden = ?1 WHERE id = ?2");
    update.bind(1, qint64(hidden ? 1 : 0)).bind(2, id);
    return update.done() && sqlite3_changes(db_) == 1;
}
