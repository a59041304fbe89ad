#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/sdl_audio.h"
#include "platform/tone.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

constexpr int kRate = 44100;
constexpr std::size_t kFrameBytes = 4;  // two channels of 16 bits
// What the disk driver may hold back: a mixed buffer and its stream's buffer. A sound whose play
// call has returned begins between Mark() and about 0.2 s later.
constexpr std::size_t kSlackBytes = 4 * 1024 * kFrameBytes;

std::size_t BytesOf(double seconds) {
    return static_cast<std::size_t>(seconds * kRate) * kFrameBytes;
}

// What a stretch of the rendered output sounds like, from its left channel.
struct Figures {
    double seconds = 0;    // from the first to the last sample that is not silent
    double frequency = 0;  // from the rising zero crossings
    double peak = 0;
    double rms = 0;
};

Figures Measure(const std::vector<int16_t>& samples) {
    Figures f;
    std::size_t first = SIZE_MAX, last = 0, crossings = 0;
    double firstCrossing = 0, lastCrossing = 0, squares = 0;
    for (std::size_t i = 0; i < samples.size() / 2; ++i) {
        const double value = samples[2 * i];
        if (std::abs(value) <= 2) continue;  // the rounding noise of the mixer
        first = std::min(first, i);
        last = i;
    }
    for (std::size_t i = first; first != SIZE_MAX && i <= last; ++i) {
        const double value = samples[2 * i], before = i > first ? samples[2 * i - 2] : 0;
        f.peak = std::max(f.peak, std::abs(value));
        squares += value * value;
        if (before < 0 && value >= 0) {
            lastCrossing = static_cast<double>(i - 1) - before / (value - before);
            firstCrossing = crossings++ == 0 ? lastCrossing : firstCrossing;
        }
    }
    if (first == SIZE_MAX) return f;
    f.seconds = static_cast<double>(last - first) / kRate;
    f.rms = std::sqrt(squares / static_cast<double>(last - first + 1));
    f.frequency =
        crossings > 1 ? static_cast<double>(crossings - 1) * kRate / (lastCrossing - firstCrossing) : 0;
    return f;
}

// SDL's disk driver renders the mixed output into a file instead of a device: no sound device is
// touched. Waiting 1 ms per buffer of 23 ms, it renders up to twenty times faster than real time.
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
    std::size_t Mark() const { return Size() > kSlackBytes ? Size() - kSlackBytes : 0; }
    // Polls (bounded) until the output holds `bytes`.
    bool WaitFor(std::size_t bytes) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (Size() < bytes && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return Size() >= bytes;
    }
    // The output from `from` once `seconds` more have been rendered.
    Figures Rendered(std::size_t from, double seconds) const {
        const std::size_t to = from + BytesOf(seconds) + kSlackBytes;
        EXPECT_TRUE(WaitFor(to)) << "the disk output stopped growing";
        std::vector<int16_t> samples((to - from) / sizeof(int16_t));
        std::ifstream in(m_output, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from));
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(to - from));
        return Measure(samples);
    }

    testing::TempDir m_dir;
    std::string m_output = m_dir.File("output.raw");
};

TEST_F(DiskAudioTest, ABeepSoundsAtItsFrequencyForItsLengthAndNotAfterStop) {
    SdlAudio audio;
    const std::pair<int, double> tones[] = {{37, 37}, {2000, 2000}, {32767, 19845}};
    for (const auto& [frequency, expected] : tones) {
        ASSERT_TRUE(audio.PlayTone(frequency, 500).ok()) << frequency;
        const Figures f = Rendered(Mark(), 0.8);  // the tone and silence after it
        std::printf("beep %5d Hz, 500 ms: measured %8.2f Hz (%+.3f %% of %.0f Hz), %.1f ms, peak %.0f\n",
                    frequency, f.frequency, 100.0 * (f.frequency - expected) / expected, expected,
                    1000.0 * f.seconds, f.peak);
        EXPECT_NEAR(f.frequency, expected, expected * 0.02);
        EXPECT_NEAR(f.seconds, 0.5, 0.01);
        EXPECT_NEAR(f.peak, kToneLevel * 32767, 200);
    }
    ASSERT_TRUE(audio.PlayTone(1000, 5000).ok());
    const Figures before = Rendered(Mark(), 0.3);
    audio.StopTone();
    const Figures after = Rendered(Size() + kSlackBytes, 1.0);
    std::printf("beep of 5 s stopped: peak %.0f before, %.0f over 1 s after\n", before.peak, after.peak);
    EXPECT_GT(before.peak, 1000);
    EXPECT_EQ(after.peak, 0);
    audio.ReleaseWhenSilent();
    EXPECT_FALSE(audio.DeviceOpen());
}

TEST_F(DiskAudioTest, WaveFilesPlayToTheirEndAtTheirPitch) {
    // A sine of 660 Hz at 22050 Hz mono, which the mixer converts to its own rate and channels.
    const std::vector<int16_t> sine = SynthesizeTone(660, 800, 22050, 1);
    const auto bytes = static_cast<uint32_t>(sine.size() * 2);
    const uint32_t header[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,   0x00010001,
                               22050,      44100,      0x00100002, 0x61746164, bytes};  // RIFF WAVE PCM
    std::ofstream(m_dir.File("sine.wav"), std::ios::binary)
        .write(reinterpret_cast<const char*>(header), sizeof header)
        .write(reinterpret_cast<const char*>(sine.data()), bytes);
    const std::tuple<std::string, double, double> cases[] = {
        {m_dir.File("sine.wav"), 0.8, 660.0},  // seconds, pitch (0: a melody)
        {TIDEWELL_SOURCE_DIR "/media/wav/chimes.wav", 1.9, 0}};
    SdlAudio audio;
    for (const auto& [path, seconds, pitch] : cases) {
        ASSERT_TRUE(audio.PlayWave(path).ok()) << path;
        audio.ReleaseWhenSilent();  // a wave still playing keeps the device
        ASSERT_TRUE(audio.DeviceOpen());
        const Figures f = Rendered(Mark(), seconds + 0.3);
        std::printf(
            "wave %-12s: %.3f s of sound (file %.3f s), peak %.0f, rms %.0f, zero crossings %.2f Hz\n",
            path.substr(path.rfind('/') + 1).c_str(), f.seconds, seconds, f.peak, f.rms, f.frequency);
        EXPECT_NEAR(f.seconds, seconds, 0.05) << path;
        EXPECT_GT(f.rms, 500) << path;
        EXPECT_NEAR(f.frequency, pitch > 0 ? pitch : f.frequency, pitch * 0.02) << path;
    }
}

TEST_F(DiskAudioTest, MidiFilesSoundThroughTheSoundFont) {
    SdlAudio audio;
    if (audio.FindSoundFont().empty()) {
        GTEST_SKIP() << "no General MIDI sound font installed";
    }
    std::printf("sound font %s\n", audio.FindSoundFont().c_str());
    for (const char* name : {"fantansy/dream.mid", "general/12ind31xg.mid"}) {
        ASSERT_TRUE(audio.PlayMidi(std::string(TIDEWELL_SOURCE_DIR "/media/mid/") + name).ok()) << name;
        const Figures f = Rendered(Mark(), 3.0);
        audio.StopMidi();
        std::printf("midi %-22s: peak %.0f, rms %.0f over %.2f s\n", name, f.peak, f.rms, f.seconds);
        EXPECT_GT(f.rms, 300) << name;
    }
}

TEST_F(DiskAudioTest, MissingFilesAndSoundFontSaySo) {
    SdlAudio noFont({m_dir.File("none.sf2")});
    const Result midi = noFont.PlayMidi(TIDEWELL_SOURCE_DIR "/media/mid/fantansy/dream.mid");
    EXPECT_EQ(midi.kind(), ErrorKind::unavailable);
    EXPECT_EQ(midi.message(),
              "The component \"/usr/share/sounds/sf2/TimGM6mb.sf2\" was not found. Please "
              "reinstall the application.");
    EXPECT_FALSE(noFont.DeviceOpen());
    const Result missing = noFont.PlayWave(m_dir.File("gone.wav"));
    EXPECT_EQ(missing.kind(), ErrorKind::notFound);
    EXPECT_EQ(missing.message(), "File \"" + m_dir.File("gone.wav") + "\" was not found.");
    testing::WriteFileText(m_dir.File("text.wav"), "not a sound at all");
    EXPECT_EQ(noFont.PlayWave(m_dir.File("text.wav")).kind(), ErrorKind::damaged);
}

}  // namespace
}  // namespace tidewell
