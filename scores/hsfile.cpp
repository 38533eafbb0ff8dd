// The high-score file's bytes: decoding and encoding the two records, and
// reading them from a file.
#include "scores/hsfile.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "disk/regularfile.h"

namespace {

constexpr int RecordLength = 20;
constexpr int LongestName = RecordLength - 2;
constexpr int ScoreOffset = RecordLength;
constexpr int ScoreBytes = HighScoreBytes - ScoreOffset;

// The characters of Windows-1252 at 0x80..0x9F (0 where it has none);
// every other byte stands for the character with the same number.
constexpr char32_t High1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && High1252[byte - 0x80] != 0) return High1252[byte - 0x80];
    return byte;
}

unsigned char toByte(char32_t c) {
    if (c <= 0xFF && fromByte(static_cast<unsigned char>(c)) == c) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (High1252[i] == c) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

}  // namespace

HighScore decodeHighScore(const QByteArray& bytes) {
    HighScore high;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const int size = static_cast<int>(bytes.size());
    if (size >= 2) {
        const int length = data[0] | (data[1] << 8);
        if (length <= LongestName && size >= 2 + length)
            for (int i = 0; i < length; ++i) {
                const char32_t c = fromByte(data[2 + i]);
                high.name += QString::fromUcs4(&c, 1);
            }
    }
    if (size >= ScoreOffset + ScoreBytes) {
        unsigned char little[ScoreBytes];
        std::memcpy(little, data + ScoreOffset, ScoreBytes);
        std::uint64_t bits = 0;
        for (int i = ScoreBytes - 1; i >= 0; --i) bits = (bits << 8) | little[i];
        double score;
        std::memcpy(&score, &bits, sizeof score);
        if (std::isfinite(score) && score >= 0) high.score = score;
    }
    return high;
}

QByteArray encodeHighScore(const QString& name, double score) {
    QByteArray bytes(ScoreOffset + ScoreBytes, '\0');
    const QVector<uint> characters = name.toUcs4();
    const int length = std::min<int>(static_cast<int>(characters.size()), LongestName);
    bytes[0] = static_cast<char>(length & 0xFF);
    bytes[1] = static_cast<char>(length >> 8);
    for (int i = 0; i < length; ++i) bytes[2 + i] = static_cast<char>(toByte(characters[i]));
    std::uint64_t bits;
    std::memcpy(&bits, &score, sizeof bits);
    for (int i = 0; i < ScoreBytes; ++i) bytes[ScoreOffset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

std::optional<QByteArray> readHighScoreBytes(const QString& path) {
    const RegularFile file = readRegularFile(path, HighScoreBytes);
    if (file.state != RegularFile::State::Read) return std::nullopt;
    return file.bytes;
}

HighScore readHighScoreFile(const QString& path) { return decodeHighScore(readHighScoreBytes(path).value_or(QByteArray())); }
