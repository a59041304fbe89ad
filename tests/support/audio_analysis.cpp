#include "support/audio_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <numbers>

namespace tidewell::testing {

namespace {

// Quieter than this counts as silence: the rounding noise of a mixer.
constexpr int kSilence = 2;

template <typename T>
void Put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

}  // namespace

SoundFigures Measure(const std::vector<int16_t>& samples, int channels, int sampleRate) {
    SoundFigures figures;
    const std::size_t step = static_cast<std::size_t>(channels);
    const std::size_t frames = samples.size() / step;
    auto at = [&](std::size_t frame) { return samples[frame * step]; };
    bool found = false;
    for (std::size_t f = 0; f < frames; ++f) {
        if (std::abs(at(f)) > kSilence) {
            if (!found) figures.firstSound = f;
            figures.lastSound = f;
            found = true;
        }
    }
    if (!found) return figures;
    figures.silent = false;
    figures.seconds = static_cast<double>(figures.lastSound - figures.firstSound) / sampleRate;
    double sumSquares = 0;
    double firstCrossing = -1;
    double lastCrossing = -1;
    int crossings = 0;
    for (std::size_t f = figures.firstSound; f <= figures.lastSound; ++f) {
        const double value = at(f);
        figures.peak = std::max(figures.peak, std::abs(value));
        sumSquares += value * value;
        if (f > figures.firstSound && at(f - 1) < 0 && value >= 0) {
            // Where the line between the two samples crosses zero.
            const double before = at(f - 1);
            const double crossing = static_cast<double>(f - 1) + (-before) / (value - before);
            if (firstCrossing < 0) firstCrossing = crossing;
            lastCrossing = crossing;
            ++crossings;
        }
    }
    figures.rms = std::sqrt(sumSquares / static_cast<double>(figures.lastSound - figures.firstSound + 1));
    if (crossings > 1) figures.frequency = (crossings - 1) * sampleRate / (lastCrossing - firstCrossing);
    return figures;
}

std::vector<Burst> SoundBursts(const std::vector<int16_t>& samples, int channels, int sampleRate,
                               double gapSeconds) {
    const std::size_t step = static_cast<std::size_t>(channels);
    const auto gap = static_cast<std::size_t>(gapSeconds * sampleRate);
    std::vector<Burst> bursts;
    for (std::size_t f = 0; f < samples.size() / step; ++f) {
        if (std::abs(samples[f * step]) <= kSilence) continue;
        if (bursts.empty() || f - bursts.back().last > gap) {
            bursts.push_back({f, f});
        }
        bursts.back().last = f;
    }
    return bursts;
}

std::vector<int16_t> ReadRawSamples(const std::string& path, std::size_t from, std::size_t to) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const auto end = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
    to = std::min(to, end);
    std::vector<int16_t> samples;
    if (!in || to <= from) return samples;
    samples.resize((to - from) / sizeof(int16_t));
    in.seekg(static_cast<std::streamoff>(from));
    in.read(reinterpret_cast<char*>(samples.data()),
            static_cast<std::streamsize>(samples.size() * sizeof(int16_t)));
    samples.resize(static_cast<std::size_t>(in.gcount()) / sizeof(int16_t));
    return samples;
}

void WriteSineWave(const std::string& path, double frequency, double seconds, int sampleRate) {
    const auto frames = static_cast<uint32_t>(seconds * sampleRate);
    std::string data;
    for (uint32_t i = 0; i < frames; ++i) {
        const double value = 0.5 * 32767 * std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
        Put(data, static_cast<int16_t>(std::lround(value)));
    }
    std::string file = "RIFF";
    Put(file, static_cast<uint32_t>(36 + data.size()));
    file += "WAVEfmt ";
    Put(file, uint32_t{16});
    Put(file, uint16_t{1});  // PCM
    Put(file, uint16_t{1});  // mono
    Put(file, static_cast<uint32_t>(sampleRate));
    Put(file, static_cast<uint32_t>(sampleRate * 2));
    Put(file, uint16_t{2});
    Put(file, uint16_t{16});
    file += "data";
    Put(file, static_cast<uint32_t>(data.size()));
    file += data;
    std::ofstream(path, std::ios::binary) << file;
}

}  // namespace tidewell::testing
