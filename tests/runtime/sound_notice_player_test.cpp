#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <vector>

#include "runtime/sound_notice_player.h"
#include "runtime/task_sound.h"
#include "support/fake_settings.h"
#include "support/recording_audio.h"
#include "support/recording_message_box.h"
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
            player->BeepTick(kStart + m_elapsed);
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

// A beep longer than its period ends before the next one; the last period that finds no time left
// beeps no more.
TEST_F(PlayerTest, BeepsComeOncePerPeriodUntilTheDurationEnds) {
    const std::tuple<int, int, size_t, Ms> cases[] = {{60000, 500, 59u, 1000ms}, {10000, 3000, 9u, 3000ms}};
    for (const auto& [duration, beep, count, gap] : cases) {
        SoundNoticePlayer player(m_audio, m_tray, m_settings);
        m_elapsed = 0ms;
        player.BeepNotice(kStart, 2000, duration, beep, 500);
        const std::vector<Ms> tones = RunTicks(70s, &player);
        ASSERT_EQ(tones.size(), count) << beep;
        for (std::size_t i = 1; i < tones.size(); ++i) EXPECT_EQ(tones[i] - tones[i - 1], gap) << beep;
        EXPECT_FALSE(player.Beeping());
    }
    EXPECT_EQ(m_audio.calls[0].frequency, 2000);
    EXPECT_EQ(m_audio.calls[0].milliseconds, 500);
}

TEST_F(PlayerTest, StopCurrentSoundEndsBeepsMusicWaveAndTray) {
    m_player.TrayRunNotice(kStart, "Backup", 60);
    m_player.BeepNotice(kStart, 2000, 60000, 500, 500);
    ASSERT_TRUE(m_player.PlayMidiNotice(kStart, "/m/long.mid", 60).ok());
    ASSERT_TRUE(m_player.PlayWaveNotice("/m/w.wav").ok());
    ASSERT_EQ(RunTicks(3500ms).size(), 3u);
    m_audio.calls.clear();
    m_player.StopCurrentSound();
    for (const Call call : {Call::stopTone, Call::stopWave, Call::stopMidi, Call::release}) {
        EXPECT_EQ(m_audio.Count(call), 1u);
    }
    EXPECT_TRUE(RunTicks(70s).empty());
    EXPECT_FALSE(m_player.MusicPlaying());
    EXPECT_EQ(m_tray.frames, 3);
    EXPECT_EQ(m_tray.ends, 1);
}

TEST_F(PlayerTest, AMidiNoticeIsClosedAfterItsSecondsAndAWaveIsNeverCut) {
    ASSERT_TRUE(m_player.PlayWaveNotice("/m/long.wav").ok());
    ASSERT_TRUE(m_player.PlayMidiNotice(kStart, "/m/three-minutes.mid", 10).ok());
    ASSERT_EQ(m_audio.calls.size(), 4u);  // each purged before it plays
    EXPECT_EQ(m_audio.calls[3].path, "/m/three-minutes.mid");
    RunTicks(9990ms);
    EXPECT_EQ(m_audio.Count(Call::stopMidi), 1u);
    RunTicks(10s);
    EXPECT_EQ(m_audio.Count(Call::stopMidi), 2u);
    EXPECT_FALSE(m_player.MusicPlaying());

    m_audio.calls.clear();
    ASSERT_TRUE(m_player.PlayWaveNotice("/m/long.wav").ok());
    RunTicks(300s);
    EXPECT_EQ(m_audio.Count(Call::stopWave), 1u);  // only the purge before playing
}

TEST_F(PlayerTest, MusicSecondsBelowOneEndAtTheFirstTickAndLateTicksCatchUp) {
    const std::tuple<int, Ms, bool> cases[] = {// seconds, tick, still playing
                                               {0, 999ms, true},
                                               {0, 1s, false},
                                               {-5, 1s, false},
                                               {10, 15s, false}};
    for (const auto& [seconds, tick, playing] : cases) {
        ASSERT_TRUE(m_player.PlayMidiNotice(kStart, "/m/a.mid", seconds).ok());
        m_player.MusicTick(kStart + tick);
        EXPECT_EQ(m_player.MusicPlaying(), playing) << seconds << " " << tick.count();
    }
}

TEST_F(PlayerTest, MuteSilencesEveryNoticeWhileTheTrayStillAnimates) {
    m_player.ToggleMute();
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

TEST(TaskSound, TryingWhileMutedAsksFirstPlaysForcedAndReportsAFailure) {
    testing::FakeSettings settings;
    settings.WriteSettingInt(app_keys::kSoundSection, app_keys::kMute, 1);
    RecordingAudio audio;
    RecordingTray tray;
    RecordingMessageBox box;
    SoundNoticePlayer player(audio, tray, settings);
    EXPECT_FALSE(TryMusicFile(player, "/m/a.mp3", kStart, settings, box));  // not a music file
    box.AnswerNext(IDNO);
    EXPECT_FALSE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    EXPECT_EQ(box.LastCall().text.rfind("Tidewell is now in mute status.", 0), 0u);
    box.AnswerNext(IDYES, false);  // and do not ask again
    EXPECT_TRUE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    EXPECT_EQ(audio.Count(Call::playMidi), 1u);
    EXPECT_EQ(player.MusicSecondsLeft(), kTrySeconds);
    EXPECT_EQ(settings.ReadSettingInt("Mute", "Prompt at Try", 1), 0);
    audio.failure = "no sound font";
    EXPECT_FALSE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    EXPECT_EQ(box.CallCount(), 3u);
    EXPECT_EQ(box.LastCall().text, "no sound font");
}

}  // namespace
}  // namespace tidewell
