// A picture kept as pixel art: rows of characters, one character a pixel,
// and a palette that gives each character its colour. The tool that writes
// the files beside the program turns these into 24-bit bitmaps.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t red, green, blue;
};

struct Picture {
    std::string fileName;
    std::map<char, Rgb> palette;
    std::vector<std::string> rows;

    int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int height() const { return static_cast<int>(rows.size()); }
};

// The six pictures the game loads from its directory.
std::vector<Picture> gamePictures();

// Writes the picture as an uncompressed bottom-up 24-bit BMP; throws
// std::runtime_error when a row is ragged, a character has no colour or
// the file cannot be written.
void writeBmp(const Picture& picture, const std::string& path);
