#include <gtest/gtest.h>

#include <cstdio>

#include "platform/sdl_audio.h"
#include "support/audio_analysis.h"
#include "support/disk_audio.h"

namespace tidewell {
namespace {

using testing::DiskAudioOutput;
using testing::Measure;
using testing::ReadRawSamples;
using testing::SoundFigures;

constexpr int kRate = DiskAudioOutput::kRate;
constexpr int kChannels = DiskAudioOutput::kChannels;

class DiskAudioTest : public ::testing::Test {
protected:
    SoundFigures Rendered(std::size_t from, double seconds) const {
        const std::vector<int16_t> samples = m_output.Render(from, seconds);
        EXPECT_FALSE(samples.empty()) << "the disk output stopped growing";
        return Measure(samples, kChannels, kRate);
    }

    DiskAudioOutput m_output;
    testing::TempDir m_dir;
};

TEST_F(DiskAudioTest, ATonePlaysAtItsFrequencyForItsLength) {
    SdlAudio audio;
    const int frequencies[] = {37, 440, 2000, 5000};
    for (const int frequency : frequencies) {
        ASSERT_TRUE(audio.PlayTone(frequency, 500).ok()) << frequency;
        const std::size_t from = m_output.Mark();
        ASSERT_TRUE(audio.DeviceOpen());
        const SoundFigures figures = Rendered(from, 0.8);  // the tone and the silence after it
        ASSERT_FALSE(figures.silent) << frequency;
        std::printf("tone %5d Hz, 500 ms: measured %8.2f Hz (%+.3f %%), %.1f ms, peak %.0f\n", frequency,
                    figures.frequency, 100.0 * (figures.frequency - frequency) / frequency,
                    1000.0 * figures.seconds, figures.peak);
        EXPECT_NEAR(figures.frequency, frequency, frequency * 0.02);
        EXPECT_NEAR(figures.seconds, 0.5, 0.01);
    }
}

TEST_F(DiskAudioTest, NothingSoundsAfterStop) {
    SdlAudio audio;
    ASSERT_TRUE(audio.PlayTone(1000, 5000).ok());
    const std::size_t from = m_output.Mark();
    ASSERT_TRUE(m_output.WaitForBytes(from + DiskAudioOutput::BytesOf(0.3) + DiskAudioOutput::kSlackBytes));
    audio.StopTone();
    const std::size_t stopped = m_output.Size() + DiskAudioOutput::kSlackBytes;
    const SoundFigures before = Measure(ReadRawSamples(m_output.Path(), from, stopped), kChannels, kRate);
    const SoundFigures after = Rendered(stopped, 1.0);
    std::printf("tone of 5 s stopped after %.2f s of sound; %.1f s rendered after the stop, peak %.0f\n",
                before.seconds,
                m_output.Seconds() - static_cast<double>(stopped) / DiskAudioOutput::BytesOf(1.0),
                after.peak);
    EXPECT_FALSE(before.silent);
    EXPECT_LT(before.seconds, 4.0);
    EXPECT_TRUE(after.silent);

    audio.ReleaseWhenSilent();
    EXPECT_FALSE(audio.DeviceOpen());
}

TEST_F(DiskAudioTest, WaveFilesPlayToTheirEnd) {
    testing::WriteSineWave(m_dir.File("sine.wav"), 660.0, 0.8, 22050);
    struct Case {
        std::string path;
        double seconds;
        double frequency;  // 0: a melody, no single pitch
    };
    const Case cases[] = {
        {m_dir.File("sine.wav"), 0.8, 660.0},
        {TIDEWELL_SOURCE_DIR "/media/wav/reminder.wav", 1.25, 0},
        {TIDEWELL_SOURCE_DIR "/media/wav/chimes.wav", 1.9, 0},
    };
    SdlAudio audio;
    for (const Case& c : cases) {
        ASSERT_TRUE(audio.PlayWave(c.path).ok()) << c.path;
        const std::size_t from = m_output.Mark();
        audio.ReleaseWhenSilent();  // a wave still playing keeps the device
        ASSERT_TRUE(audio.DeviceOpen());
        const SoundFigures figures = Rendered(from, c.seconds + 0.3);
        std::printf("wave %-14s: %.3f s of sound (file %.3f s), peak %.0f, rms %.0f",
                    c.path.substr(c.path.rfind('/') + 1).c_str(), figures.seconds, c.seconds, figures.peak,
                    figures.rms);
        if (c.frequency > 0) {
            std::printf(", measured %.2f Hz for %.0f Hz (%+.3f %%)", figures.frequency, c.frequency,
                        100.0 * (figures.frequency - c.frequency) / c.frequency);
            EXPECT_NEAR(figures.frequency, c.frequency, c.frequency * 0.02);
        }
        std::printf("\n");
        EXPECT_NEAR(figures.seconds, c.seconds, 0.05) << c.path;
        EXPECT_GT(figures.rms, 500);
    }
}

TEST_F(DiskAudioTest, MidiFilesSoundThroughTheSoundFont) {
    SdlAudio audio;
    if (audio.FindSoundFont().empty()) {
        GTEST_SKIP() << "no General MIDI sound font installed";
    }
    std::printf("sound font %s\n", audio.FindSoundFont().c_str());
    for (const char* name : {"fantansy/dream.mid", "fantansy/a_bridge.mid", "fantansy/15jzz30xg.mid",
                             "fantansy/mount.mid", "general/12ind31xg.mid"}) {
        ASSERT_TRUE(audio.PlayMidi(std::string(TIDEWELL_SOURCE_DIR "/media/mid/") + name).ok()) << name;
        const std::size_t from = m_output.Mark();
        const SoundFigures figures = Rendered(from, 3.0);
        audio.StopMidi();
        std::printf("midi %-22s: peak %.0f, rms %.0f over %.2f s of sound\n", name, figures.peak, figures.rms,
                    figures.seconds);
        EXPECT_GT(figures.rms, 300) << name;
    }
}

TEST_F(DiskAudioTest, MissingFilesAndSoundFontSaySo) {
    SdlAudio noFont({m_dir.File("none.sf2")});
    const Result midi = noFont.PlayMidi(TIDEWELL_SOURCE_DIR "/media/mid/fantansy/dream.mid");
    EXPECT_EQ(midi.kind(), ErrorKind::unavailable);
    EXPECT_EQ(midi.message(),
              "The component \"/usr/share/sounds/sf2/TimGM6mb.sf2\" was not found. Please reinstall the "
              "application.");
    EXPECT_FALSE(noFont.DeviceOpen());

    const Result missing = noFont.PlayWave(m_dir.File("gone.wav"));
    EXPECT_EQ(missing.kind(), ErrorKind::notFound);
    EXPECT_EQ(missing.message(), "File \"" + m_dir.File("gone.wav") + "\" was not found.");

    testing::WriteFileText(m_dir.File("text.wav"), "not a sound at all");
    EXPECT_EQ(noFont.PlayWave(m_dir.File("text.wav")).kind(), ErrorKind::damaged);
}

}  // namespace
}  // namespace tidewell
