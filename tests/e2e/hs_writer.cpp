// Stands in for the game at the moment it keeps a new high score: writes
// "HS" in the folder given through the game's own writer, alternating two
// known records (3 "ACE" 950, then 10 "NOVA-SEVEN" 12345), as fast as it
// can, so that a test can kill it at any moment and look at what is left.
// With a count it stops after that many writes.
// Usage: hs_writer folder [count]
#include <QString>

#include <cstdlib>

#include "scores/hsfile.h"

int main(int argc, char* argv[]) {
    if (argc < 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/HS");
    const long count = argc > 2 ? std::atol(argv[2]) : -1;
    for (long n = 0; count < 0 || n < count; ++n) {
        const bool first = n % 2 == 0;
        if (!writeHighScoreFile(path, first ? QStringLiteral("ACE") : QStringLiteral("NOVA-SEVEN"),
                                first ? 950.0 : 12345.0))
            return 1;
    }
    return 0;
}
