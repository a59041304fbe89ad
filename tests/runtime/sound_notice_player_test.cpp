#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "runtime/sound_notice_player.h"
#include "runtime/task_sound.h"
#include "support/fake_settings.h"
#include "support/recording_audio.h"
#include "support/recording_message_box.h"
#include "support/recording_tray.h"
#include "text/language.h"

namespace tidewell {
namespace {

using namespace std::chrono_literals;
using Call = RecordingAudio::Call;

const MonotonicTime kStart = MonotonicTime{} + 1000h;

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }

    // Calls every tick every `step` until `until`, like the window's timers would.
    void RunTicks(std::chrono::milliseconds until, std::chrono::milliseconds step = 10ms) {
        for (; m_elapsed <= until; m_elapsed += step) {
            const std::size_t tones = m_audio.Count(Call::playTone);
            m_player.BeepTick(kStart + m_elapsed);
            m_player.MusicTick(kStart + m_elapsed);
            m_player.TrayTick(kStart + m_elapsed);
            if (m_audio.Count(Call::playTone) > tones) m_toneTimes.push_back(m_elapsed);
        }
    }
    MonotonicTime Now() const { return kStart + m_elapsed; }

    testing::FakeSettings m_settings;
    RecordingAudio m_audio;
    RecordingTray m_tray;
    SoundNoticePlayer m_player{m_audio, m_tray, m_settings};
    std::chrono::milliseconds m_elapsed{0};
    std::vector<std::chrono::milliseconds> m_toneTimes;
};

TEST_F(PlayerTest, BeepValuesAreClampedToTheirLimits) {
    struct Case {
        int frequency, total, length, pause;
        BeepParameters expected;  // frequency, ms left, length, pause, period
    };
    const Case cases[] = {
        {20, 0, 5, 5, {37, 1000, 10, 10, 20}},
        {37, 1000, 10, 10, {37, 1000, 10, 10, 20}},
        {2000, 60000, 500, 500, {2000, 60000, 500, 500, 1000}},
        {40000, 4'000'000, 40000, 40000, {32767, 3'600'000, 30000, 30000, 60000}},
        {-1, -1, -1, -1, {37, 1000, 10, 10, 20}},
    };
    for (const Case& c : cases) {
        m_player.BeepNotice(kStart, c.frequency, c.total, c.length, c.pause);
        const BeepParameters& beep = m_player.Beep();
        EXPECT_EQ(beep.frequency, c.expected.frequency) << c.frequency;
        EXPECT_EQ(beep.msLeft, c.expected.msLeft) << c.total;
        EXPECT_EQ(beep.lengthMs, c.expected.lengthMs) << c.length;
        EXPECT_EQ(beep.pauseMs, c.expected.pauseMs) << c.pause;
        EXPECT_EQ(beep.periodMs, c.expected.periodMs) << c.pause;
        EXPECT_TRUE(m_player.Beeping());
    }
}

TEST_F(PlayerTest, SixtySecondsAtPauseFiveHundredBeepOncePerSecond) {
    m_player.BeepNotice(kStart, 2000, 60000, 500, 500);
    RunTicks(70s);
    EXPECT_GE(m_toneTimes.size(), 58u);
    EXPECT_LE(m_toneTimes.size(), 60u);
    EXPECT_EQ(m_toneTimes.front(), 1000ms);
    for (std::size_t i = 1; i < m_toneTimes.size(); ++i)
        EXPECT_EQ(m_toneTimes[i] - m_toneTimes[i - 1], 1000ms);
    EXPECT_FALSE(m_player.Beeping());
    EXPECT_EQ(m_audio.calls[0].frequency, 2000);
    EXPECT_EQ(m_audio.calls[0].milliseconds, 500);
}

TEST_F(PlayerTest, ABeepLongerThanItsPeriodEndsBeforeTheNextStarts) {
    m_player.BeepNotice(kStart, 800, 10000, 3000, 500);
    RunTicks(60s);
    ASSERT_GE(m_toneTimes.size(), 2u);
    EXPECT_LE(m_toneTimes.size(), 10u);
    for (std::size_t i = 1; i < m_toneTimes.size(); ++i)
        EXPECT_GE(m_toneTimes[i] - m_toneTimes[i - 1], 3000ms);
}

TEST_F(PlayerTest, LateTicksSoundOneBeepAndKeepTheCadence) {
    m_player.BeepNotice(kStart, 2000, 60000, 100, 500);
    m_player.BeepTick(kStart + 5500ms);  // five periods were missed
    m_player.BeepTick(kStart + 5600ms);
    EXPECT_EQ(m_audio.Count(Call::playTone), 1u);
    m_player.BeepTick(kStart + 6499ms);
    EXPECT_EQ(m_audio.Count(Call::playTone), 1u);
    m_player.BeepTick(kStart + 6500ms);
    EXPECT_EQ(m_audio.Count(Call::playTone), 2u);
}

TEST_F(PlayerTest, StopCurrentSoundEndsBeepsMusicWaveAndTray) {
    m_player.TrayRunNotice(Now(), "Backup", 60);
    m_player.BeepNotice(Now(), 2000, 60000, 500, 500);
    ASSERT_TRUE(m_player.PlayMidiNotice(Now(), "/m/long.mid", 60).ok());
    ASSERT_TRUE(m_player.PlayWaveNotice("/m/w.wav").ok());
    RunTicks(3500ms);
    ASSERT_EQ(m_toneTimes.size(), 3u);
    m_player.StopCurrentSound();
    EXPECT_EQ(m_audio.Count(Call::stopTone), 1u);
    EXPECT_GE(m_audio.Count(Call::stopMidi), 2u);  // one before play, one now
    EXPECT_GE(m_audio.Count(Call::stopWave), 2u);
    EXPECT_FALSE(m_player.Beeping());
    EXPECT_FALSE(m_player.MusicPlaying());
    RunTicks(70s);
    EXPECT_EQ(m_toneTimes.size(), 3u);
    EXPECT_FALSE(m_tray.animating);
    EXPECT_EQ(m_tray.ends, 1);
    EXPECT_LE(m_tray.frames, 4);
}

TEST_F(PlayerTest, AMidiNoticeIsClosedAfterItsSeconds) {
    ASSERT_TRUE(m_player.PlayMidiNotice(kStart, "/m/three-minutes.mid", 10).ok());
    ASSERT_EQ(m_audio.calls.size(), 2u);
    EXPECT_EQ(m_audio.calls[0].call, Call::stopMidi);  // "close all" before opening
    EXPECT_EQ(m_audio.calls[1].call, Call::playMidi);
    EXPECT_EQ(m_audio.calls[1].path, "/m/three-minutes.mid");
    RunTicks(9990ms);
    EXPECT_EQ(m_audio.Count(Call::stopMidi), 1u);
    EXPECT_TRUE(m_player.MusicPlaying());
    EXPECT_EQ(m_player.MusicSecondsLeft(), 1);
    RunTicks(10s);
    EXPECT_EQ(m_audio.Count(Call::stopMidi), 2u);
    EXPECT_FALSE(m_player.MusicPlaying());
}

TEST_F(PlayerTest, MusicSecondsBelowOneCloseAtTheFirstTickAndLateTicksCatchUp) {
    struct Case {
        int seconds;
        std::chrono::milliseconds tickAt;
        bool playingAfter;
    };
    const Case cases[] = {
        {0, 999ms, true},   {0, 1s, false},   {-5, 1s, false}, {1, 1s, false},
        {10, 9999ms, true}, {10, 10s, false}, {10, 15s, false}};  // one late tick catches up
    for (const Case& c : cases) {
        ASSERT_TRUE(m_player.PlayMidiNotice(kStart, "/m/a.mid", c.seconds).ok());
        m_player.MusicTick(kStart + c.tickAt);
        EXPECT_EQ(m_player.MusicPlaying(), c.playingAfter) << c.seconds << " " << c.tickAt.count();
    }
}

TEST_F(PlayerTest, AWaveNoticeIsNotCut) {
    ASSERT_TRUE(m_player.PlayWaveNotice("/m/long.wav").ok());
    ASSERT_EQ(m_audio.calls.size(), 2u);
    EXPECT_EQ(m_audio.calls[0].call, Call::stopWave);  // purge before playing
    EXPECT_EQ(m_audio.calls[1].call, Call::playWave);
    m_player.TrayRunNotice(kStart, "Backup", 5);
    RunTicks(300s, 100ms);
    m_player.ReleaseAudioWhenSilent();
    EXPECT_EQ(m_audio.Count(Call::stopWave), 1u);
}

TEST_F(PlayerTest, MuteSilencesEveryNoticeWhileTheTrayStillAnimates) {
    m_settings.WriteSettingInt(kSoundSettingsSection, kMuteValueName, 1);
    SoundNoticePlayer muted(m_audio, m_tray, m_settings);
    ASSERT_TRUE(muted.Muted());
    TaskRecord task;
    task.title = "Backup";
    task.soundInfo.duration = 30;
    for (const char* path : {"", "/m/a.wav", "/m/a.mid"}) {
        task.soundInfo.type = *path == '\0' ? 0 : 1;
        task.soundInfo.musicFilePath = path;
        ASSERT_TRUE(StartRunNotices(muted, task, kStart).ok());
    }
    for (auto t = 0ms; t <= 60s; t += 10ms) {
        muted.BeepTick(kStart + t);
        muted.MusicTick(kStart + t);
        muted.TrayTick(kStart + t);
    }
    EXPECT_EQ(m_audio.Count(Call::playTone), 0u);
    EXPECT_EQ(m_audio.Count(Call::playWave), 0u);
    EXPECT_EQ(m_audio.Count(Call::playMidi), 0u);
    EXPECT_EQ(m_tray.tips, std::vector<std::string>(3, "Tidewell - Backup"));
    EXPECT_EQ(m_tray.frames, 29);
    EXPECT_EQ(m_tray.ends, 1);

    // A forced notice (the sound page's try) plays all the same.
    ASSERT_TRUE(muted.PlayWaveNotice("/m/a.wav", true).ok());
    EXPECT_EQ(m_audio.Count(Call::playWave), 1u);
}

TEST_F(PlayerTest, MuteCommandStoresTheSwitchAndStopsTheSound) {
    EXPECT_FALSE(m_player.Muted());
    m_player.BeepNotice(kStart, 2000, 60000, 500, 500);
    m_player.ToggleMute();
    EXPECT_TRUE(m_player.Muted());
    EXPECT_FALSE(m_player.Beeping());
    EXPECT_EQ(m_settings.ReadSettingInt("Tidewell\\Sound", "Mute", -1), 1);
    m_player.ToggleMute();
    EXPECT_FALSE(m_player.Muted());
    EXPECT_EQ(m_settings.ReadSettingInt("Tidewell\\Sound", "Mute", -1), 0);
}

TEST_F(PlayerTest, TrayAnimatesOneFramePerSecondForItsSeconds) {
    m_player.TrayRunNotice(kStart, "Backup", 10);
    ASSERT_EQ(m_tray.tips, std::vector<std::string>{"Tidewell - Backup"});
    RunTicks(9999ms);
    EXPECT_EQ(m_tray.frames, 9);
    EXPECT_TRUE(m_player.TrayAnimating());
    RunTicks(10s);
    EXPECT_FALSE(m_player.TrayAnimating());
    EXPECT_EQ(m_tray.ends, 1);
}

TEST(TaskSound, MusicKindAndTraySecondsFollowTheTask) {
    const std::pair<const char*, MusicKind> kinds[] = {
        {"/a/b.wav", MusicKind::wave}, {"/a/b.WAV", MusicKind::wave}, {"/a/b.MIDI", MusicKind::midi},
        {"/a/b.mid", MusicKind::midi}, {"/a/b.Rmi", MusicKind::midi}, {"/a/b.mp3", MusicKind::none},
        {"/a/wav", MusicKind::none},   {"", MusicKind::none},
    };
    for (const auto& [path, kind] : kinds) EXPECT_EQ(MusicKindOf(path), kind) << path;

    struct Case {
        bool noticeSound;
        int duration;
        int seconds;
    };
    const Case cases[] = {{true, 0, 10},    {true, 1, 1},    {true, 60, 60},
                          {true, 120, 120}, {true, 121, 10}, {false, 60, 10}};
    for (const Case& c : cases) {
        TaskRecord task;
        task.soundInfo.noticeSound = c.noticeSound;
        task.soundInfo.duration = c.duration;
        EXPECT_EQ(TrayNoticeSeconds(task), c.seconds) << c.duration;
    }
}

TEST(TaskSound, RunNoticesStartTheSoundOfTheTask) {
    testing::FakeSettings settings;
    RecordingAudio audio;
    RecordingTray tray;
    SoundNoticePlayer player(audio, tray, settings);
    TaskRecord task;
    task.soundInfo.duration = 0;
    task.soundInfo.type = 0;
    task.soundInfo.beepFrequency = 20;
    ASSERT_TRUE(StartRunNotices(player, task, kStart).ok());
    EXPECT_EQ(player.Beep().msLeft, 1000);  // a duration of 0 s is clamped
    EXPECT_EQ(player.Beep().frequency, 37);

    task.soundInfo.type = 1;
    task.soundInfo.duration = 15;
    task.soundInfo.musicFilePath = "/m/song.MIDI";
    ASSERT_TRUE(StartRunNotices(player, task, kStart).ok());
    EXPECT_EQ(audio.calls.back().call, Call::playMidi);
    EXPECT_EQ(player.MusicSecondsLeft(), 15);

    const std::size_t before = audio.calls.size();
    task.soundInfo.musicFilePath = "/m/song.mp3";
    ASSERT_TRUE(StartRunNotices(player, task, kStart).ok());
    EXPECT_EQ(audio.calls.size(), before);
}

TEST(TaskSound, TryingWhileMutedAsksFirstAndPlaysForced) {
    testing::FakeSettings settings;
    settings.WriteSettingInt(kSoundSettingsSection, kMuteValueName, 1);
    RecordingAudio audio;
    RecordingTray tray;
    RecordingMessageBox box;
    SoundNoticePlayer player(audio, tray, settings);

    box.AnswerNext(IDNO);
    EXPECT_FALSE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_TRUE(box.LastCall().hasCheckBox);
    EXPECT_EQ(box.LastCall().text.rfind("Tidewell is now in mute status.", 0), 0u);
    EXPECT_EQ(audio.Count(Call::playMidi), 0u);

    box.AnswerNext(IDYES, false);  // and do not ask again
    EXPECT_TRUE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    EXPECT_EQ(audio.Count(Call::playMidi), 1u);
    EXPECT_EQ(player.MusicSecondsLeft(), kTrySeconds);
    EXPECT_EQ(settings.ReadSettingInt("Mute", "Prompt at Try", 1), 0);

    EXPECT_TRUE(TryMusicFile(player, "/m/a.wav", kStart, settings, box));
    EXPECT_EQ(box.CallCount(), 2u);
    EXPECT_EQ(audio.Count(Call::playWave), 1u);

    audio.FailPlays(ErrorKind::unavailable, "no sound font");
    EXPECT_FALSE(TryMusicFile(player, "/m/a.mid", kStart, settings, box));
    EXPECT_EQ(box.LastCall().text, "no sound font");
    EXPECT_FALSE(player.MusicPlaying());
}

}  // namespace
}  // namespace tidewell
