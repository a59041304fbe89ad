#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidewell::testing {

// What a stretch of signed 16-bit samples sounds like, from its first channel.
struct SoundFigures {
    std::size_t firstSound = 0;  // frame of the first sample that is not silent
    std::size_t lastSound = 0;   // frame of the last one
    double seconds = 0;          // from the first to the last sound
    double frequency = 0;        // Hz, from the rising zero crossings between them
    double peak = 0;
    double rms = 0;  // over the sounding stretch
    bool silent = true;
};

SoundFigures Measure(const std::vector<int16_t>& samples, int channels, int sampleRate);

// The samples of a raw file of signed 16-bit native-order samples, from byte `from` on.
std::vector<int16_t> ReadRawSamples(const std::string& path, std::size_t from = 0);

// A mono 16-bit wave file holding a sine of `frequency` Hz.
void WriteSineWave(const std::string& path, double frequency, double seconds, int sampleRate);

}  // namespace tidewell::testing
