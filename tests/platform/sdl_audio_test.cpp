#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/sdl_audio.h"
#include "platform/tone.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

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
    ASSERT_TRUE(audio.PlayTone(2000, 500).ok());
    const Figures beep = Rendered(Mark(), 0.8);  // the tone and silence after it
    EXPECT_NEAR(beep.frequency, 2000, 40);
    EXPECT_NEAR(beep.seconds, 0.5, 0.01);
    EXPECT_NEAR(beep.peak, kToneLevel * 32767, 200);
    ASSERT_TRUE(audio.PlayTone(1000, 5000).ok());
    const Figures before = Rendered(Mark(), 0.3);
    audio.StopTone();
    EXPECT_GT(before.peak, 1000);
    EXPECT_EQ(Rendered(Size() + kSlackBytes, 1.0).peak, 0);
    audio.ReleaseWhenSilent();
    EXPECT_FALSE(audio.DeviceOpen());
}

TEST_F(DiskAudioTest, AWavePlaysToItsEndAtItsPitch) {
    // A sine of 660 Hz at 22050 Hz mono, which the mixer converts to its own rate and channels.
    const std::vector<int16_t> sine = SynthesizeTone(660, 800, 22050, 1);
    const auto bytes = static_cast<uint32_t>(sine.size() * 2);
    const uint32_t header[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,   0x00010001,
                               22050,      44100,      0x00100002, 0x61746164, bytes};  // RIFF WAVE PCM
    std::ofstream(m_dir.File("sine.wav"), std::ios::binary)
        .write(reinterpret_cast<const char*>(header), sizeof header)
        .write(reinterpret_cast<const char*>(sine.data()), bytes);
    SdlAudio audio;
    ASSERT_TRUE(audio.PlayWave(m_dir.File("sine.wav")).ok());
    audio.ReleaseWhenSilent();  // a wave still playing keeps the device
    ASSERT_TRUE(audio.DeviceOpen());
    const Figures wave = Rendered(Mark(), 1.1);
    EXPECT_NEAR(wave.seconds, 0.8, 0.05);
    EXPECT_GT(wave.rms, 500);
    EXPECT_NEAR(wave.frequency, 660, 13);
}

TEST_F(DiskAudioTest, MissingFilesAndSoundFontSaySo) {
    SdlAudio noFont({m_dir.File("none.sf2")});
    EXPECT_EQ(noFont.PlayMidi(TIDEWELL_SOURCE_DIR "/media/mid/fantansy/dream.mid").kind(),
              ErrorKind::unavailable);
    EXPECT_FALSE(noFont.DeviceOpen());
    EXPECT_EQ(noFont.PlayWave(m_dir.File("gone.wav")).kind(), ErrorKind::notFound);
    testing::WriteFileText(m_dir.File("text.wav"), "not a sound at all");
    EXPECT_EQ(noFont.PlayWave(m_dir.File("text.wav")).kind(), ErrorKind::damaged);
}

// Without a device the user reads why in the program's words, with SDL's reason after them: an
// output the disk driver cannot create, and a driver this SDL does not have.
TEST_F(DiskAudioTest, NoDeviceSaysSoInTheProgramsWordsWithTheSystemsDetail) {
    struct Case {
        const char* driver;
        std::string output;
    };
    const Case cases[] = {{"disk", m_dir.File("no/such/folder/output.raw")}, {"no-such-driver", m_output}};
    const std::string sentence = LoadMessage(IDS_ERROR_SOUND_NO_AUDIO_DEVICE, "");
    for (const Case& c : cases) {
        ::setenv("SDL_AUDIODRIVER", c.driver, 1);
        ::setenv("SDL_DISKAUDIOFILE", c.output.c_str(), 1);
        SdlAudio audio;
        const Result played = audio.PlayTone(1000, 100);
        EXPECT_EQ(played.kind(), ErrorKind::unavailable) << c.driver;
        EXPECT_EQ(played.message().rfind(sentence, 0), 0u) << played.message();
        EXPECT_GT(played.message().size(), sentence.size()) << c.driver << ": the system's detail follows";
        EXPECT_FALSE(audio.DeviceOpen());
    }
}

}  // namespace
}  // namespace tidewell
