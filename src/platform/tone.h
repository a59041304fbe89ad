#pragma once

#include <cstdint>
#include <vector>

namespace tidewell {

// Peak of a tone, as a share of full scale: loud enough to notice, never clipping when mixed.
inline constexpr double kToneLevel = 0.3;
// Rise and fall of a tone, so that it starts and ends without a click.
inline constexpr int kToneRampMs = 5;
// Highest frequency a tone keeps, as a share of the sample rate; above it, it would fold back into
// a lower, wrong pitch.
inline constexpr double kToneHighestShare = 0.45;

// A sine tone as signed 16-bit samples, `channels` interleaved, at `sampleRate`: `milliseconds`
// long at `frequency` Hz.
std::vector<int16_t> SynthesizeTone(int frequency, int milliseconds, int sampleRate, int channels);

}  // namespace tidewell
