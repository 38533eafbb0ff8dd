// A sound as a list of samples in -1..1 at one sample rate, and the writer
// that stores it as 16-bit mono PCM WAV.
#pragma once

#include <string>
#include <vector>

constexpr int SampleRate = 22050;

struct Sound {
    std::string fileName;
    std::vector<double> samples;
};

// The eleven sounds the game plays from its directory.
std::vector<Sound> gameSounds();

// Writes the sound as a RIFF WAV file, 16-bit mono PCM at SampleRate;
// throws std::runtime_error when the file cannot be written.
void writeWav(const Sound& sound, const std::string& path);
