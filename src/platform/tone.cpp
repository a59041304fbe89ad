#include "platform/tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tidewell {

std::vector<int16_t> SynthesizeTone(int frequency, int milliseconds, int sampleRate, int channels) {
    if (frequency <= 0 || milliseconds <= 0 || sampleRate <= 0 || channels <= 0) {
        return {};
    }
    const double pitch = std::min<double>(frequency, kToneHighestShare * sampleRate);
    const int64_t frames = static_cast<int64_t>(milliseconds) * sampleRate / 1000;
    // Short beeps get shorter ramps, so that they still reach their level.
    const int64_t ramp =
        std::max<int64_t>(1, std::min<int64_t>(int64_t{kToneRampMs} * sampleRate / 1000, frames / 4));
    const double step = 2.0 * std::numbers::pi * pitch / sampleRate;
    std::vector<int16_t> samples(static_cast<std::size_t>(frames * channels));
    for (int64_t i = 0; i < frames; ++i) {
        const int64_t edge = std::min(i, frames - 1 - i);
        const double envelope = edge < ramp ? static_cast<double>(edge) / static_cast<double>(ramp) : 1.0;
        const double value = kToneLevel * envelope * std::sin(step * static_cast<double>(i)) * 32767.0;
        const auto sample = static_cast<int16_t>(std::lround(value));
        std::fill_n(samples.begin() + i * channels, channels, sample);
    }
    return samples;
}

}  // namespace tidewell
