// The hall's database, the one place its entries live: each replay's exact
// bytes, keyed by their SHA-256, with what its proof found once a prover
// has played it (until then it waits, status queued). SQLite in WAL
// mode, one connection shared by the server's threads one statement at a
// time; every statement prepared, nothing built from strings.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "halloffame/proof.h"

struct sqlite3;

struct Entry {
    qint64 id = 0;
    int rank = 0;                   // on its board; 0 off any board
    QString status;                 // queued, verified or rejected
    QString reason;
    QString name;
    double score = 0;
    int wave = 0;
    qint64 played = 0;              // the date in the file, ms since 1970
    qint64 sent = 0;                // when the hall took it, ms since 1970
    qint64 lengthMs = 0;
    QString settings;
    QString board;
    QString gameVersion;            // that recorded it
    QString provenBy;               // the game's version that proved it
    bool earlierVersion = false;    // a later version plays it to another end
    std::vector<double> scoreByMinute;
};

struct Board {
    QString board;
    QString settings;
    int entries = 0;
};

// A replay waiting for its proof, claimed by one prover.
struct Job {
    qint64 id = 0;
    QByteArray bytes;
    bool again = false;             // proven before, by another version of the game
};

// A proven game to film, and its length, which bounds the filming.
struct Showing {
    qint64 id = 0;
    qint64 lengthMs = 0;
};

class Store {
public:
    // Empty with the reason in one line when the database cannot be opened.
    static std::unique_ptr<Store> open(const QString& path, QString& problem);
    ~Store();

    std::optional<qint64> idOfBytes(const QByteArray& sha256);
    // Why the database refused a write: its disk is full or fails to write,
    // or something that passes, such as a lock held too long.
    enum class Refusal { NoRoom, Busy };
    // The bytes kept to be proven, queued, with the sender's name for a game
    // that asks none; committed before this returns, empty with the refusal
    // when the database refused it (and then holds what it held before).
    std::optional<qint64> enqueue(const QByteArray& bytes, const QByteArray& sha256, const QString& name,
                                  qint64 sentMs, Refusal& refusal);
    // The oldest waiting replay no prover holds, or one whose prover has not
    // answered in a minute, now held by the caller; when none waits, the
    // oldest proven game another version of the game proved, to prove again.
    std::optional<Job> claim(qint64 nowMs);
    // Records what the proof found; bytes that are no replay are not kept.
    void settle(qint64 id, const Proof& proof);
    // Records that this version proved the game again: a game it plays to
    // another end (score, wave) is marked as from an earlier version and
    // stays as that version proved it.
    void settleAgain(qint64 id, const Proof& proof);
    // Frees every claim: at start no prover of this hall is running.
    void releaseClaims();
    std::optional<Entry> entry(qint64 id);
    // Each name's best game once, best first; ties share a rank and go in
    // the order they were sent.
    std::vector<Entry> board(const QString& board, int limit, int offset);
    std::vector<Board> boards();
    // The latest uploads, newest first, whatever became of them.
    std::vector<Entry> recent(int limit);
    // The games that took the first place of their board when they came,
    // newest first.
    std::vector<Entry> firstPlaces(int limit);
    // Every proven game listed, each board's first ones before its next ones.
    std::vector<Showing> bestFirst();
    std::optional<QByteArray> replayBytes(qint64 id);
    std::optional<QByteArray> picture(qint64 id);
    // False when there is no such entry.
    bool setHidden(qint64 id, bool hidden);

private:
    explicit Store(sqlite3* db) : db_(db) {}
    std::optional<QByteArray> blob(const char* sql, qint64 id);
    std::vector<Entry> list(const char* sql, int limit);

    std::mutex mutex_;
    sqlite3* db_;
};
