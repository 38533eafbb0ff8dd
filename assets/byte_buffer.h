// Building a file's bytes in memory: little-endian integers, the byte
// order of the BMP and WAV headers, and saving the finished buffer.
#pragma once

#include <cstdint>
#include <string>

inline void put16(std::string& out, std::uint16_t v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8);
}

inline void put32(std::string& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Writes the buffer to a file in one go; throws std::runtime_error on failure.
void saveFile(const std::string& bytes, const std::string& path);
