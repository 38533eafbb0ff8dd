// The small pieces the replay file is made of: unsigned and signed
// variable-length integers (seven bits a byte, the low bits first), fixed
// little-endian numbers, byte strings with their length in front, and the
// CRC-32 that tells a damaged file. The reader never reads past its end:
// a read beyond it fails and every later read fails too.
#pragma once

#include <QByteArray>

#include <cstdint>

std::uint32_t crc32(const QByteArray& bytes);

class ByteWriter {
public:
    void byte(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }
    void varint(std::uint64_t value);
    void signedVarint(std::int64_t value);
    void fixed(std::uint64_t value, int size);
    void blob(const QByteArray& value);
    void raw(const QByteArray& value) { bytes_.append(value); }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes) : bytes_(bytes) {}
    std::uint8_t byte();
    std::uint64_t varint();
    std::int64_t signedVarint();
    std::uint64_t fixed(int size);
    QByteArray blob();
    QByteArray raw(std::int64_t size);
    bool ok() const { return ok_; }
    std::int64_t left() const { return bytes_.size() - at_; }

private:
    const QByteArray& bytes_;
    std::int64_t at_ = 0;
    bool ok_ = true;
};
