// Stands in for the game at the moment it keeps a new high score: writes
// "HS" in the folder given through the game's own writer, as fast as it
// can, so that a test can run two of these side by side, kill them at any
// moment and look at what is left. Every score is higher than the last
// (the time in microseconds), and the name tells the score's last bit: the
// bits of a score ending in 0 go with "ACE", those ending in 1 with
// "NOVA-SEVEN", so a record mixed from two writes shows. A score refused
// because the file already holds a higher one is not a failure. Without a
// count it writes until it is killed, and a write that gave up waiting for
// the lock the other writer held goes on to the next score; with a count,
// for a writer alone, it stops after that many writes and any failed write
// fails it.
// Usage: hs_writer folder [count]
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "scores/hsfile.h"

int main(int argc, char* argv[]) {
    if (argc < 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/HS");
    const long count = argc > 2 ? std::atol(argv[2]) : -1;
    double last = 0;
    for (long n = 0; count < 0 || n < count; ++n) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const double score = std::max(last + 1, double(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        last = score;
        std::uint64_t bits;
        std::memcpy(&bits, &score, sizeof bits);
        const QString name = bits % 2 == 0 ? QStringLiteral("ACE") : QStringLiteral("NOVA-SEVEN");
        if (writeHighScoreFile(path, name, score) == HighScoreWrite::Failed && count >= 0) return 1;
    }
    return 0;
}
