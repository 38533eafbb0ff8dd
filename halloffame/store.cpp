// The queries on the schema of migrations.cpp, the same text for every
// database, and the pool of connections they run on.
#include "halloffame/store.h"

#include <QStringList>

#include <chrono>

#include "halloffame/migrations.h"

namespace {

// A request finding every connection busy waits for one this long before
// it is answered 503.
constexpr auto LongestWait = std::chrono::seconds(2);
// A claim whose prover has not answered in this long is taken again.
constexpr qint64 ForgottenMs = 60 * 1000;

const char* const EntryColumns =
    "id, status, reason, name, score, wave, played, sent, length_ms, settings, coalesce(board, ''), version, minutes, "
    "proven_by, earlier_version";

// Reads the columns of EntryColumns from the given one on.
Entry entryAt(const Row& row, size_t first) {
    Entry entry;
    entry.id = row[first].toLongLong();
    entry.status = row[first + 1].toString();
    entry.reason = row[first + 2].toString();
    entry.name = row[first + 3].toString();
    entry.score = row[first + 4].toDouble();
    entry.wave = row[first + 5].toInt();
    entry.played = row[first + 6].toLongLong();
    entry.sent = row[first + 7].toLongLong();
    entry.lengthMs = row[first + 8].toLongLong();
    entry.settings = row[first + 9].toString();
    entry.board = row[first + 10].toString();
    entry.gameVersion = row[first + 11].toString();
    for (const QString& score : row[first + 12].toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        entry.scoreByMinute.push_back(score.toDouble());
    entry.provenBy = row[first + 13].toString();
    entry.earlierVersion = row[first + 14].toLongLong() != 0;
    return entry;
}

QString minutesText(const std::vector<double>& scores) {
    QStringList words;
    for (double score : scores) words << QString::number(score, 'f', 0);
    return words.join(QLatin1Char(' '));
}

// The board's games, each name's best once or ($4 = 1) every game, ranked.
const char* const BoardQuery =
    "SELECT rank() OVER (ORDER BY score DESC), id, status, reason, name, score, wave, played, sent, length_ms, "
    "settings, coalesce(board, ''), version, minutes, proven_by, earlier_version FROM ("
    "  SELECT *, row_number() OVER (PARTITION BY name ORDER BY score DESC, id) AS nth"
    "  FROM entries WHERE board = $1 AND status = 'verified' AND hidden = 0"
    ") AS best WHERE nth = 1 OR $4 = 1 ORDER BY score DESC, id LIMIT $2 OFFSET $3";

QVariant orNull(const QByteArray& bytes) { return bytes.isEmpty() ? QVariant() : QVariant(bytes); }

}  // namespace

class Store::Lease {
public:
    explicit Lease(Store& store) : store_(store) {
        std::unique_lock lock(store_.mutex_);
        const bool free = store_.returned_.wait_for(lock, LongestWait, [this] {
            return !store_.idle_.empty() || store_.opened_ < store_.most_;
        });
        if (!free) throw DatabaseUnavailable("every connection to the database is busy");
        if (!store_.idle_.empty()) {
            db_ = std::move(store_.idle_.back());
            store_.idle_.pop_back();
            return;
        }
        ++store_.opened_;
        lock.unlock();
        QString problem;
        db_ = openDatabase(store_.url_, problem);
        if (!db_) {
            lock.lock();
            --store_.opened_;
            store_.returned_.notify_one();
            throw DatabaseUnavailable(problem.toStdString());
        }
    }
    ~Lease() {
        {
            std::lock_guard lock(store_.mutex_);
            store_.idle_.push_back(std::move(db_));
        }
        store_.returned_.notify_one();
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    Database* operator->() { return db_.get(); }
    Database& operator*() { return *db_; }

private:
    Store& store_;
    std::unique_ptr<Database> db_;
};

std::unique_ptr<Store> Store::open(const QString& url, QString& problem) {
    std::unique_ptr<Database> db = openDatabase(url, problem);
    if (!db) return nullptr;
    try {
        if (!migrate(*db, problem)) return nullptr;
    } catch (const DatabaseUnavailable& gone) {
        problem = QString::fromStdString(gone.what());
        return nullptr;
    }
    std::unique_ptr<Store> store(new Store(url));
    store->most_ = db->connections();
    store->idle_.push_back(std::move(db));
    store->opened_ = 1;
    return store;
}

std::optional<qint64> Store::idOfBytes(const QByteArray& sha256) {
    Lease db(*this);
    const Result found = db->exec("SELECT id FROM entries WHERE sha256 = $1", {sha256});
    if (found.rows.empty()) return std::nullopt;
    return found.rows[0][0].toLongLong();
}

std::optional<Store::Kept> Store::enqueue(const QByteArray& bytes, const QByteArray& sha256, const QString& name,
                                          qint64 sentMs, Refusal& refusal) {
    Lease db(*this);
    std::optional<Kept> kept;
    const bool done = db->transaction([&] {
        const Result inserted =
            db->exec("INSERT INTO entries (sha256, bytes, sent, status, reason, name, score, wave, played, length_ms, "
                     "settings, version, minutes) VALUES ($1, $2, $3, 'queued', '', $4, 0, 0, 0, 0, '', '', '') "
                     "ON CONFLICT (sha256) DO NOTHING RETURNING id",
                     {sha256, bytes, sentMs, name});
        if (!inserted.ok) return false;
        if (!inserted.rows.empty()) {
            kept = Kept{inserted.rows[0][0].toLongLong(), true};
            return db->exec("INSERT INTO jobs (entry, kind) VALUES ($1, 'proof')", {kept->id}).ok;
        }
        const Result found = db->exec("SELECT id FROM entries WHERE sha256 = $1", {sha256});
        if (found.rows.empty()) return false;
        kept = Kept{found.rows[0][0].toLongLong(), false};
        return true;
    });
    if (done) return kept;
    refusal = db->outOfRoom() ? Refusal::NoRoom : Refusal::Busy;
    return std::nullopt;
}

std::optional<Job> Store::claim(qint64 nowMs, const QString& claimer) {
    Lease db(*this);
    std::optional<qint64> id;
    const QByteArray find = QByteArray("SELECT entry FROM jobs WHERE kind = 'proof' "
                                       "AND (claimed_at IS NULL OR claimed_at < $1) ORDER BY entry LIMIT 1") +
                            db->forUpdateSkipLocked();
    const bool taken = db->transaction([&] {
        const Result waiting = db->exec(find.constData(), {nowMs - ForgottenMs});
        if (!waiting.ok || waiting.rows.empty()) return false;
        id = waiting.rows[0][0].toLongLong();
        return db->exec("UPDATE jobs SET claimed_at = $1, claimed_by = $2 WHERE entry = $3 AND kind = 'proof'",
                        {nowMs, claimer, *id})
            .ok;
    });
    bool again = false;
    if (!taken) {
        // No upload waits: a game another version of the game proved, either
        // side of this one, each side read off the index.
        const Result outdated = db->exec(
            "SELECT id FROM entries WHERE id IN ("
            "  SELECT id FROM entries WHERE status = 'verified' AND earlier_version = 0 AND proven_by < $1"
            "  UNION ALL"
            "  SELECT id FROM entries WHERE status = 'verified' AND earlier_version = 0 AND proven_by > $1"
            ") AND NOT EXISTS (SELECT 1 FROM jobs WHERE entry = entries.id AND kind = 'again' AND claimed_at >= $2) "
            "ORDER BY id LIMIT 1",
            {provingVersion(), nowMs - ForgottenMs});
        if (outdated.rows.empty()) return std::nullopt;
        id = outdated.rows[0][0].toLongLong();
        // Another prover that took it first keeps it.
        const Result held = db->exec(
            "INSERT INTO jobs (entry, kind, claimed_at, claimed_by) VALUES ($1, 'again', $2, $3) "
            "ON CONFLICT (entry, kind) DO UPDATE SET claimed_at = excluded.claimed_at, claimed_by = excluded.claimed_by "
            "WHERE jobs.claimed_at IS NULL OR jobs.claimed_at < $4 RETURNING entry",
            {*id, nowMs, claimer, nowMs - ForgottenMs});
        if (held.rows.empty()) return std::nullopt;
        again = true;
    }
    const Result bytes = db->exec("SELECT bytes FROM entries WHERE id = $1", {*id});
    if (bytes.rows.empty()) return std::nullopt;
    return Job{*id, bytes.rows[0][0].toByteArray(), again};
}

void Store::freeClaims(const std::function<bool(const QString&)>& gone) {
    Lease db(*this);
    for (const Row& row : db->exec("SELECT DISTINCT claimed_by FROM jobs WHERE claimed_by IS NOT NULL").rows)
        if (gone(row[0].toString()))
            db->exec("UPDATE jobs SET claimed_at = NULL, claimed_by = NULL WHERE claimed_by = $1", {row[0]});
}

void Store::settle(qint64 id, const Proof& proof) {
    // Its claim is taken again by any prover in a minute.
    if (!proof.started) return;
    Lease db(*this);
    db->transaction([&] {
        if (!db->exec("DELETE FROM jobs WHERE entry = $1 AND kind = 'proof'", {id}).ok) return false;
        return db
            ->exec("UPDATE entries SET status = $2, reason = $3, name = CASE WHEN $4 = '' THEN name ELSE $4 END, "
                   "score = $5, wave = $6, played = $7, length_ms = $8, settings = $9, board = $10, version = $11, "
                   "minutes = $12, picture = $13, proven_by = $14 WHERE id = $1 AND status = 'queued'",
                   {id, proof.verified ? QStringLiteral("verified") : QStringLiteral("rejected"), proof.reason,
                    proof.name, proof.score, qint64(proof.wave), proof.played, proof.lengthMs, proof.settings,
                    proof.verified ? QVariant(proof.board) : QVariant(), proof.gameVersion,
                    minutesText(proof.scoreByMinute), orNull(proof.picture), provingVersion()})
            .ok;
    });
}

void Store::settleAgain(qint64 id, const Proof& proof) {
    // A playback that gave no answer (its child could not start, ran out of
    // time on a busy machine, was killed) says nothing of the game: it stays
    // as it was, its claim taken again by any prover in a minute.
    if (!proof.answered) return;
    Lease db(*this);
    db->transaction([&] {
        if (!db->exec("DELETE FROM jobs WHERE entry = $1 AND kind = 'again'", {id}).ok) return false;
        return db
            ->exec("UPDATE entries SET "
                   "proven_by = CASE WHEN $2 = 1 AND score = $3 AND wave = $4 THEN $5 ELSE proven_by END, "
                   "earlier_version = CASE WHEN $2 = 1 AND score = $3 AND wave = $4 THEN 0 ELSE 1 END "
                   "WHERE id = $1 AND status = 'verified'",
                   {id, qint64(proof.verified ? 1 : 0), proof.score, qint64(proof.wave), provingVersion()})
            .ok;
    });
}

std::optional<Entry> Store::entry(qint64 id) {
    Lease db(*this);
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns + " FROM entries WHERE id = $1 AND hidden = 0";
    const Result found = db->exec(sql.constData(), {id});
    if (found.rows.empty()) return std::nullopt;
    Entry entry = entryAt(found.rows[0], 0);
    if (entry.status != QLatin1String("verified") || entry.board.isEmpty()) return entry;
    // Its place on its board, among every game there.
    const Result rank = db->exec("SELECT 1 + count(*) FROM entries WHERE board = $1 AND status = 'verified' "
                                 "AND hidden = 0 AND score > $2",
                                 {entry.board, entry.score});
    if (!rank.rows.empty()) entry.rank = rank.rows[0][0].toInt();
    return entry;
}

std::vector<Entry> Store::board(const QString& board, int limit, int offset, bool everyGame) {
    Lease db(*this);
    std::vector<Entry> entries;
    for (const Row& row : db->exec(BoardQuery, {board, qint64(limit), qint64(offset), qint64(everyGame)}).rows) {
        entries.push_back(entryAt(row, 1));
        entries.back().rank = row[0].toInt();
    }
    return entries;
}

std::vector<Board> Store::boards() {
    Lease db(*this);
    std::vector<Board> boards;
    for (const Row& row : db->exec("SELECT board, min(settings), count(*) FROM entries WHERE status = 'verified' "
                                   "AND hidden = 0 GROUP BY board ORDER BY board = 'standard' DESC, board")
                              .rows)
        boards.push_back({row[0].toString(), row[1].toString(), row[2].toInt()});
    return boards;
}

std::vector<Entry> Store::list(const char* sql, int limit) {
    Lease db(*this);
    std::vector<Entry> entries;
    for (const Row& row : db->exec(sql, {qint64(limit)}).rows) entries.push_back(entryAt(row, 0));
    return entries;
}

std::vector<Entry> Store::recent(int limit) {
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns + " FROM entries WHERE hidden = 0 ORDER BY id DESC LIMIT $1";
    return list(sql.constData(), limit);
}

std::vector<Entry> Store::firstPlaces(int limit) {
    const QByteArray sql = QByteArray("SELECT ") + EntryColumns +
                           " FROM entries AS e WHERE status = 'verified' AND hidden = 0 AND NOT EXISTS ("
                           "  SELECT 1 FROM entries AS o WHERE o.board = e.board AND o.status = 'verified'"
                           "  AND o.hidden = 0 AND o.id < e.id AND o.score >= e.score"
                           ") ORDER BY id DESC LIMIT $1";
    return list(sql.constData(), limit);
}

std::optional<QByteArray> Store::blob(const char* sql, qint64 id) {
    Lease db(*this);
    const Result found = db->exec(sql, {id});
    if (found.rows.empty()) return std::nullopt;
    return found.rows[0][0].toByteArray();
}

std::vector<Showing> Store::bestFirst() {
    Lease db(*this);
    std::vector<Showing> games;
    for (const Row& row : db->exec("SELECT id, length_ms FROM ("
                                   "  SELECT id, length_ms, score,"
                                   "    row_number() OVER (PARTITION BY board ORDER BY score DESC, id) AS place"
                                   "  FROM entries WHERE status = 'verified' AND hidden = 0"
                                   ") AS placed ORDER BY place, score DESC, id")
                              .rows)
        games.push_back({row[0].toLongLong(), row[1].toLongLong()});
    return games;
}

std::optional<QByteArray> Store::replayBytes(qint64 id) {
    return blob("SELECT bytes FROM entries WHERE id = $1 AND hidden = 0", id);
}

std::optional<QByteArray> Store::picture(qint64 id) {
    return blob("SELECT picture FROM entries WHERE id = $1 AND hidden = 0 AND picture IS NOT NULL", id);
}

bool Store::setHidden(qint64 id, bool hidden) {
    Lease db(*this);
    return db->exec("UPDATE entries SET hidden = $1 WHERE id = $2", {qint64(hidden ? 1 : 0), id}).changed == 1;
}
