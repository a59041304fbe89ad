#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <vector>

#include "runtime/sound_notice_player.h"
#include "runtime/task_sound.h"
#include "support/fake_settings.h"
#include "support/recording_audio.h"
#include "support/recording_tray.h"

namespace tidewell {
namespace {

using namespace std::chrono_literals;
using Call = RecordingAudio::Call;
using Ms = std::chrono::milliseconds;

const MonotonicTime kStart = MonotonicTime{} + 1000h;

class PlayerTest : public ::testing::Test {
protected:
    // Calls the three ticks every 10 ms up to `until`, as the window's timers would; returns the
    // instants at which tones were asked for.
    std::vector<Ms> RunTicks(Ms until, SoundNoticePlayer* player = nullptr) {
        player = player ? player : &m_player;
        std::vector<Ms> tones;
        for (; m_elapsed <= until; m_elapsed += 10ms) {
            const std::size_t before = m_audio.Count(Call::playTone);
            EXPECT_TRUE(player->BeepTick(kStart + m_elapsed));
            player->MusicTick(kStart + m_elapsed);
            player->TrayTick(kStart + m_elapsed);
            if (m_audio.Count(Call::playTone) > before) tones.push_back(m_elapsed);
        }
        return tones;
    }

    testing::FakeSettings m_settings;
    RecordingAudio m_audio;
    RecordingTray m_tray;
    SoundNoticePlayer m_player{m_audio, m_tray, m_settings};
    Ms m_elapsed{0};
};

TEST_F(PlayerTest, AToneThatFailsIsHandedOutOncePerNoticeAndTheBeepsGoOn) {
    m_audio.failure = "no output device";
    for (int notice = 0; notice < 2; ++notice) {
        m_player.BeepNotice(kStart + m_elapsed, 2000, 5000, 500, 500);
        const std::size_t before = m_audio.Count(Call::playTone);
        std::vector<std::string> told;
        for (const Ms end = m_elapsed + 6s; m_elapsed <= end; m_elapsed += 10ms) {
            if (Result beeped = m_player.BeepTick(kStart + m_elapsed); !beeped)
                told.push_back(beeped.message());
        }
        EXPECT_EQ(told, std::vector<std::string>{"no output device"}) << notice;
        EXPECT_EQ(m_audio.Count(Call::playTone) - before, 4u) << "every beep is tried";
    }
}

TEST_F(PlayerTest, MuteSilencesEveryNoticeWhileTheTrayStillAnimates) {
    ASSERT_TRUE(m_player.ToggleMute());
    EXPECT_EQ(m_settings.ReadSettingInt("Tidewell\\Sound", "Mute", -1), 1);
    SoundNoticePlayer muted(m_audio, m_tray, m_settings);  // as at the next start
    m_audio.calls.clear();
    TaskRecord task;
    task.title = "Backup";
    task.soundInfo.duration = 30;
    for (const char* path : {"", "/m/a.wav", "/m/a.MIDI"}) {
        task.soundInfo.type = *path == '\0' ? 0 : 1;
        task.soundInfo.musicFilePath = path;
        ASSERT_TRUE(StartRunNotices(muted, task, kStart).ok());
    }
    RunTicks(60s, &muted);
    EXPECT_EQ(m_audio.Count(Call::release), m_audio.calls.size());  // nothing played, nothing stopped
    EXPECT_EQ(m_tray.tips, std::vector<std::string>(3, "Tidewell - Backup"));
    EXPECT_EQ(m_tray.frames, 29);
    EXPECT_EQ(m_tray.ends, 1);
}

}  // namespace
}  // namespace tidewell
