// The hall's database, the one place its entries live: each replay's exact
// bytes, keyed by their SHA-256, with what its proof found once a prover
// has played it (until then it waits, status queued, with a proof job any
// prover of any hall on the database may claim). The server's threads
// share a few connections, each used by one of them at a time; every
// statement takes its values apart from its text. A database that cannot
// be reached throws DatabaseUnavailable from any call.
#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "halloffame/database.h"
#include "halloffame/proof.h"

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
    // Opens the database at the URL (see openDatabase) and brings its
    // schema up to date; empty with the reason in one line when it cannot.
    static std::unique_ptr<Store> open(const QString& url, QString& problem);

    std::optional<qint64> idOfBytes(const QByteArray& sha256);
    // Why the database refused a write: its disk is full or fails to write,
    // or something that passes, such as a lock held too long.
    enum class Refusal { NoRoom, Busy };
    struct Kept {
        qint64 id = 0;
        bool fresh = false;  // false when the same bytes were kept before
    };
    // The bytes kept to be proven, queued, with the sender's name for a game
    // that asks none; committed before this returns, empty with the refusal
    // when the database refused it (and then holds what it held before).
    // The same bytes sent to two halls at once are kept once.
    std::optional<Kept> enqueue(const QByteArray& bytes, const QByteArray& sha256, const QString& name,
                                qint64 sentMs, Refusal& refusal);
    // The oldest waiting replay no prover holds, or one whose prover has not
    // answered in a minute, now held by the claimer (see claimer.h); when
    // none waits, the oldest proven game another version of the game proved,
    // to prove again.
    std::optional<Job> claim(qint64 nowMs, const QString& claimer);
    // Frees the claims of every claimer gone(claimer) says has ended.
    void freeClaims(const std::function<bool(const QString&)>& gone);
    // Records what the proof found, once whoever proved it, a refusal with
    // its reason; a proof the hall could not start leaves the game waiting.
    void settle(qint64 id, const Proof& proof);
    // Records that this version proved the game again: a game it plays to
    // another end (score, wave, or not verified) is marked as from an
    // earlier version and stays as that version proved it; one the hall
    // failed to play back is left as it was, to be proven again later.
    void settleAgain(qint64 id, const Proof& proof);
    std::optional<Entry> entry(qint64 id);
    // Each name's best game once (or every game), best first; ties share a
    // rank and go in the order they were sent.
    std::vector<Entry> board(const QString& board, int limit, int offset, bool everyGame = false);
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
    // A connection of the pool, the caller's alone until it goes.
    class Lease;
    explicit Store(QString url) : url_(std::move(url)) {}
    std::optional<QByteArray> blob(const char* sql, qint64 id);
    std::vector<Entry> list(const char* sql, int limit);

    QString url_;
    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<Database>> idle_;
    int opened_ = 0;
    int most_ = 1;
};
