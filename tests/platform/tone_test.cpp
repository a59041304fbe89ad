#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/tone.h"
#include "support/audio_analysis.h"

namespace tidewell {
namespace {

TEST(Tone, SineOfTheAskedLengthAndPitchRisingFromAndFallingToSilence) {
    struct Case {
        int frequency, milliseconds, rate, channels;
        double expectedHz;
    };
    const Case cases[] = {
        {440, 500, 44100, 2, 440.0},
        {37, 1000, 44100, 1, 37.0},
        {2000, 10, 48000, 2, 2000.0},
        {32767, 200, 44100, 2, 19845},  // folded back below the highest pitch the rate carries
    };
    for (const Case& c : cases) {
        const std::vector<int16_t> samples = SynthesizeTone(c.frequency, c.milliseconds, c.rate, c.channels);
        const std::size_t frames =
            static_cast<std::size_t>(c.milliseconds) * static_cast<std::size_t>(c.rate) / 1000;
        ASSERT_EQ(samples.size(), frames * static_cast<std::size_t>(c.channels)) << c.frequency;
        const testing::SoundFigures figures = testing::Measure(samples, c.channels, c.rate);
        EXPECT_NEAR(figures.frequency, c.expectedHz, c.expectedHz * 0.02) << c.frequency;
        EXPECT_NEAR(figures.peak, kToneLevel * 32767, 0.02 * 32767) << c.frequency;
        EXPECT_LE(std::abs(samples.front()), 1);
        EXPECT_LE(std::abs(samples.back()), 200);
        for (std::size_t i = 0; i + 1 < samples.size(); i += static_cast<std::size_t>(c.channels)) {
            if (c.channels == 2) {
                ASSERT_EQ(samples[i], samples[i + 1]);
            }
        }
    }
    EXPECT_TRUE(SynthesizeTone(0, 100, 44100, 2).empty());
    EXPECT_TRUE(SynthesizeTone(440, 0, 44100, 2).empty());
}

}  // namespace
}  // namespace tidewell
