// The versions themselves. A hall's SQLite file made before the versions
// were counted already holds the first one's table, which it leaves be.
#include "halloffame/migrations.h"

#include <QByteArray>

#include <vector>

namespace {

// $KEY stands for the database's numbered key.
const std::vector<std::vector<const char*>> Versions = {
    // 1: the entries, each replay's bytes keyed by their SHA-256 with what
    // its proof found.
    {R"(CREATE TABLE IF NOT EXISTS entries (
    id $KEY,
    sha256 BYTEA NOT NULL UNIQUE,
    bytes BYTEA NOT NULL,
    sent BIGINT NOT NULL,
    status TEXT NOT NULL,
    reason TEXT NOT NULL,
    name TEXT NOT NULL,
    score DOUBLE PRECISION NOT NULL,
    wave BIGINT NOT NULL,
    played BIGINT NOT NULL,
    length_ms BIGINT NOT NULL,
    settings TEXT NOT NULL,
    board TEXT,
    version TEXT NOT NULL,
    minutes TEXT NOT NULL,
    picture BYTEA,
    hidden BIGINT NOT NULL DEFAULT 0
))",
     "CREATE INDEX IF NOT EXISTS entries_by_board ON entries (board, score DESC, id)"},
    // 2: the work left to do on an entry, as jobs any prover may claim; the
    // uploads still waiting for their proof become the first.
    {"CREATE TABLE jobs (entry BIGINT NOT NULL REFERENCES entries (id), kind TEXT NOT NULL, "
     "claimed_at BIGINT, claimed_by TEXT, PRIMARY KEY (entry, kind))",
     "INSERT INTO jobs (entry, kind) SELECT id, 'proof' FROM entries WHERE status = 'queued'",
     "DROP INDEX IF EXISTS entries_waiting"},
    // 3: which version of the game proved each game, and whether a later
    // one plays it to another end; the games proven before this was kept
    // are proven again, found by the index without reading every game.
    {"ALTER TABLE entries ADD COLUMN proven_by TEXT NOT NULL DEFAULT ''",
     "ALTER TABLE entries ADD COLUMN earlier_version BIGINT NOT NULL DEFAULT 0",
     "CREATE INDEX entries_by_prover ON entries (proven_by, id) WHERE status = 'verified' AND earlier_version = 0"},
};

}  // namespace

bool migrate(Database& db, QString& problem) {
    const bool done = db.transaction([&db, &problem] {
        db.lockSchema();
        if (!db.exec("CREATE TABLE IF NOT EXISTS schema_version (version BIGINT NOT NULL)").ok) return false;
        const Result current = db.exec("SELECT max(version) FROM schema_version");
        if (!current.ok) return false;
        const qint64 version = current.rows.empty() ? 0 : current.rows[0][0].toLongLong();
        for (size_t next = size_t(version); next < Versions.size(); ++next) {
            for (const char* statement : Versions[next]) {
                const QByteArray sql = QByteArray(statement).replace("$KEY", db.serialKey());
                if (!db.exec(sql.constData()).ok) {
                    problem = QStringLiteral("cannot bring the database to version %1").arg(next + 1);
                    return false;
                }
            }
            if (!db.exec("INSERT INTO schema_version (version) VALUES ($1)", {qint64(next + 1)}).ok) return false;
        }
        return true;
    });
    if (!done && problem.isEmpty()) problem = QStringLiteral("cannot read the database's version");
    return done;
}
