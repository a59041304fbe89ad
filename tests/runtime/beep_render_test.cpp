#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "platform/sdl_audio.h"
#include "runtime/sound_notice_player.h"
#include "support/audio_analysis.h"
#include "support/disk_audio.h"
#include "support/fake_settings.h"
#include "support/recording_tray.h"

namespace tidewell {
namespace {

using testing::DiskAudioOutput;

// A beep notice through the real mixer: the ticks are driven by the rendered output itself, so
// that the notice's clock and the samples agree whatever the speed of the driver. The driver runs
// at about four times real time: a late look at the output then shifts a beep by a quarter of the
// lateness only.
TEST(BeepRender, ABeepNoticeSoundsItsBeepsAtItsCadence) {
    DiskAudioOutput output(5);
    testing::FakeSettings settings;
    RecordingTray tray;
    SdlAudio audio;
    SoundNoticePlayer player(audio, tray, settings);
    ASSERT_TRUE(audio.PlayTone(1000, 0).ok());  // takes the device; a tone of no length sounds nothing
    ASSERT_TRUE(output.WaitForBytes(DiskAudioOutput::kSlackBytes));

    const MonotonicTime start{};
    const std::size_t base = output.Size();
    auto renderedNow = [&] {
        const double seconds = static_cast<double>(output.Size() - base) / DiskAudioOutput::BytesOf(1.0);
        return start + std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000));
    };
    player.BeepNotice(start, 1000, 3000, 200, 250);  // one beep of 200 ms every 500 ms
    while (player.Beeping()) {
        ASSERT_TRUE(output.WaitForBytes(output.Size() + 1));
        player.BeepTick(renderedNow());
    }
    // The notice is over and nothing sounds: the device is let go and the file is complete.
    EXPECT_FALSE(audio.DeviceOpen());
    const std::vector<int16_t> samples = testing::ReadRawSamples(output.Path(), base);
    const auto bursts =
        testing::SoundBursts(samples, DiskAudioOutput::kChannels, DiskAudioOutput::kRate, 0.05);
    ASSERT_EQ(bursts.size(), 5u) << output.Seconds() << " s rendered";
    for (std::size_t i = 0; i < bursts.size(); ++i) {
        const std::vector<int16_t> one(samples.begin() + static_cast<std::ptrdiff_t>(bursts[i].first * 2),
                                       samples.begin() + static_cast<std::ptrdiff_t>(bursts[i].last * 2 + 2));
        const testing::SoundFigures beep =
            testing::Measure(one, DiskAudioOutput::kChannels, DiskAudioOutput::kRate);
        const double startsAt = static_cast<double>(bursts[i].first) / DiskAudioOutput::kRate;
        std::printf("beep %zu at %.3f s: %.1f ms, %.2f Hz\n", i + 1, startsAt, 1000 * beep.seconds,
                    beep.frequency);
        EXPECT_NEAR(beep.seconds, 0.2, 0.005);
        EXPECT_NEAR(beep.frequency, 1000, 20);
        if (i > 0) {
            const double spacing =
                static_cast<double>(bursts[i].first - bursts[i - 1].first) / DiskAudioOutput::kRate;
            EXPECT_NEAR(spacing, 0.5, 0.1);
        }
    }
}

}  // namespace
}  // namespace tidewell
