// Variable-length and fixed integers, byte strings and the CRC-32 of the
// replay file.
#include "replay/bytes.h"

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void ByteWriter::varint(std::uint64_t value) {
    while (value >= 0x80) {
        byte(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    byte(static_cast<std::uint8_t>(value));
}

// Small numbers of either sign stay small: 0, -1, 1, -2 ... become 0, 1, 2, 3 ...
void ByteWriter::signedVarint(std::int64_t value) {
    varint((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
}

void ByteWriter::fixed(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ByteWriter::blob(const QByteArray& value) {
    varint(static_cast<std::uint64_t>(value.size()));
    raw(value);
}

std::uint8_t ByteReader::byte() {
    if (!ok_ || at_ >= bytes_.size()) {
        ok_ = false;
        return 0;
    }
    return static_cast<std::uint8_t>(bytes_.at(static_cast<qsizetype>(at_++)));
}

std::uint64_t ByteReader::varint() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::uint8_t b = byte();
        value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return value;
    }
    ok_ = false;
    return 0;
}

std::int64_t ByteReader::signedVarint() {
    const std::uint64_t value = varint();
    return static_cast<std::int64_t>((value >> 1) ^ (0 - (value & 1)));
}

std::uint64_t ByteReader::fixed(int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<std::uint64_t>(byte()) << (8 * i);
    return value;
}

QByteArray ByteReader::blob() {
    const std::uint64_t size = varint();
    if (size > static_cast<std::uint64_t>(left())) {
        ok_ = false;
        return {};
    }
    return raw(static_cast<std::int64_t>(size));
}

QByteArray ByteReader::raw(std::int64_t size) {
    if (!ok_ || size < 0 || size > left()) {
        ok_ = false;
        return {};
    }
    const QByteArray value = bytes_.mid(at_, size);
    at_ += size;
    return value;
}
