#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/sdl_audio.h"
#include "support/audio_analysis.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using testing::Measure;
using testing::ReadRawSamples;
using testing::SoundFigures;

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr std::size_t kFrameBytes = kChannels * sizeof(int16_t);
// What the disk driver may still hold back: a mixed buffer and the stream's own buffer.
constexpr std::size_t kSlackBytes = 4 * 1024 * kFrameBytes;

std::size_t BytesOf(double seconds) {
    return static_cast<std::size_t>(seconds * kRate) * kFrameBytes;
}

// SDL's disk driver renders the mixed output into a file instead of a device; with an I/O delay of
// 1 ms per buffer it runs about twenty times faster than real time.
class DiskAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", m_output.c_str(), 1);
        ::setenv("SDL_DISKAUDIODELAY", "1", 1);
    }

    std::size_t Size() const {
        struct stat info {};
        return ::stat(m_output.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
    }
    // Waits (polling, bounded) until the output holds `bytes`; the test fails when it never does.
    void WaitForBytes(std::size_t bytes) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (Size() < bytes) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the disk output stopped growing";
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // The output from `from` until it holds `seconds` more of sound.
    std::vector<int16_t> Render(std::size_t from, double seconds) {
        WaitForBytes(from + BytesOf(seconds) + kSlackBytes);
        return ReadRawSamples(m_output, from);
    }
    std::size_t Mark() const { return Size() > kSlackBytes ? Size() - kSlackBytes : 0; }

    testing::TempDir m_dir;
    std::string m_output = m_dir.File("output.raw");
};

TEST_F(DiskAudioTest, ATonePlaysAtItsFrequencyForItsLength) {
    SdlAudio audio;
    const int frequencies[] = {37, 440, 2000, 5000};
    for (const int frequency : frequencies) {
        std::size_t from = Mark();
        ASSERT_TRUE(audio.PlayTone(frequency, 500).ok()) << frequency;
        ASSERT_TRUE(audio.DeviceOpen());
        const SoundFigures figures = Measure(Render(from, 0.6), kChannels, kRate);
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
    const std::size_t from = Mark();
    ASSERT_TRUE(audio.PlayTone(1000, 5000).ok());
    WaitForBytes(from + BytesOf(0.3) + kSlackBytes);
    audio.StopTone();
    const std::size_t stopped = Size() + kSlackBytes;
    const SoundFigures before = Measure(ReadRawSamples(m_output, from), kChannels, kRate);
    const SoundFigures after = Measure(Render(stopped, 1.0), kChannels, kRate);
    std::printf("tone of 5 s stopped after %.2f s of sound; %.1f s rendered after the stop, peak %.0f\n",
                before.seconds, static_cast<double>(Size() - stopped) / BytesOf(1.0), after.peak);
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
        const std::size_t from = Mark();
        ASSERT_TRUE(audio.PlayWave(c.path).ok()) << c.path;
        audio.ReleaseWhenSilent();  // a wave still playing keeps the device
        ASSERT_TRUE(audio.DeviceOpen());
        const SoundFigures figures = Measure(Render(from, c.seconds + 0.2), kChannels, kRate);
        std::printf("wave %-14s: %.3f s of sound (file %.3f s), peak %.0f, rms %.0f",
                    c.path.substr(c.path.rfind('/') + 1).c_str(), figures.seconds, c.seconds, figures.peak,
                    figures.rms);
        if (c.frequency > 0) {
            std::printf(", measured %.2f Hz for %.0f Hz (%+.3f %%)", figures.frequency, c.frequency,
                        100.0 * (figures.frequency - c.frequency) / c.frequency);
        }
        std::printf("\n");
        EXPECT_NEAR(figures.seconds, c.seconds, 0.05) << c.path;
        if (c.frequency > 0) {
            EXPECT_NEAR(figures.frequency, c.frequency, c.frequency * 0.02);
        }
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
        const std::size_t from = Mark();
        ASSERT_TRUE(audio.PlayMidi(std::string(TIDEWELL_SOURCE_DIR "/media/mid/") + name).ok()) << name;
        const SoundFigures figures = Measure(Render(from, 3.0), kChannels, kRate);
        audio.StopMidi();
        std::printf("midi %-22s: sound from %.2f s, peak %.0f, rms %.0f over 3 s\n", name,
                    static_cast<double>(figures.firstSound) / kRate, figures.peak, figures.rms);
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
