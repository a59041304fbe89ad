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

// The sounding stretches, [first, last] frames, split where at least `gapSeconds` are silent.
struct Burst {
    std::size_t first = 0;
    std::size_t last = 0;
};
std::vector<Burst> SoundBursts(const std::vector<int16_t>& samples, int channels, int sampleRate,
                               double gapSeconds);

// The samples of a raw file of signed 16-bit native-order samples, from byte `from` to byte
// `to` (or the end of the file).
std::vector<int16_t> ReadRawSamples(const std::string& path, std::size_t from = 0, std::size_t to = SIZE_MAX);

// A mono 16-bit wave file holding a sine of `frequency` Hz.
void WriteSineWave(const std::string& path, double frequency, double seconds, int sampleRate);

}  // namespace tidewell::testing
