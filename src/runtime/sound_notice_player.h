#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "base/result.h"
#include "config/settings_keys.h"
#include "platform/audio_port.h"
#include "platform/settings_port.h"
#include "ui_ports/tray_notice.h"

namespace tidewell {

// Instants of the tick entry points: a monotonic clock, never the wall clock.
using MonotonicTime = std::chrono::steady_clock::time_point;

// Limits of a beep notice; values outside are replaced by the nearer bound.
inline constexpr int kMinBeepFrequency = 37;
inline constexpr int kMaxBeepFrequency = 32767;
inline constexpr int kMinBeepTotalMs = 1000;
inline constexpr int kMaxBeepTotalMs = 3'600'000;
inline constexpr int kMinBeepLengthMs = 10;
inline constexpr int kMaxBeepLengthMs = 30'000;
inline constexpr int kMinBeepPauseMs = 10;
inline constexpr int kMaxBeepPauseMs = 30'000;
// The music and tray counters count down once a second.
inline constexpr std::chrono::milliseconds kNoticeSecond{1000};
// "%s - %s": product caption, task title.
inline constexpr std::string_view kTrayTipSeparator = " - ";

struct BeepParameters {
    int frequency = 0;  // Hz
    int msLeft = 0;
    int lengthMs = 0;  // of one beep
    int pauseMs = 0;
    int periodMs = 0;  // one beep every period: twice the pause
};

// The sound notices of task runs: beeps, a wave file, a MIDI file, and the tray icon's
// animation, each with its own counter. Runs on the user-interface thread and never blocks it:
// the three timers of the main window are the tick entry points below, which the window's timers
// call (at least as often as the period of their kind) and tests call with a test clock.
class SoundNoticePlayer {
public:
    // Reads the mute switch from the settings.
    SoundNoticePlayer(AudioPort& audio, TrayNoticeService& tray, SettingsPort& settings);

    bool Muted() const { return m_muted; }
    // The Mute command: flips the switch, stops the current sound and stores the switch at once;
    // the switch holds for the run when it cannot be stored (the store has told the user).
    Result ToggleMute();

    // Beeps of `lengthMs` at `frequency`, one every 2 x pause, for `totalMs` from `now`; values
    // are clamped to the limits. A running beep notice is replaced. Silent while muted unless
    // forced.
    void BeepNotice(MonotonicTime now, int frequency, int totalMs, int lengthMs, int pauseMs,
                    bool force = false);
    // Stops a wave that plays and plays the file once, to its end (no duration cuts it). Silent
    // while muted unless forced or the path is empty (which only stops the wave).
    Result PlayWaveNotice(const std::string& path, bool force = false);
    // Plays a MIDI file from `now`, closed after `seconds` when it is longer. Silent while muted
    // unless forced. The counter runs even when the file cannot be played.
    Result PlayMidiNotice(MonotonicTime now, const std::string& path, int seconds, bool force = false);
    // Ends beeps, wave, MIDI and the tray animation (at its next tick).
    void StopCurrentSound();
    // Sets the tray tip to "<product> - <title>" and animates the tray icon for `seconds`.
    void TrayRunNotice(MonotonicTime now, std::string_view title, int seconds);

    // Tick entry points, in the order of the main window's timers 2, 3 and 5. BeepTick fails
    // with the first tone of a beep notice that could not be sounded; the cadence goes on.
    Result BeepTick(MonotonicTime now);
    void MusicTick(MonotonicTime now);
    void TrayTick(MonotonicTime now);
    // Lets the output device go once no beep or MIDI notice runs and nothing sounds; the
    // scheduling pass may call it every second.
    void ReleaseAudioWhenSilent();

    bool Beeping() const { return m_beeping; }
    const BeepParameters& Beep() const { return m_beep; }
    bool MusicPlaying() const { return m_musicPlaying; }
    int MusicSecondsLeft() const { return m_musicSecondsLeft; }
    bool TrayAnimating() const { return m_trayAnimating; }
    int TraySecondsLeft() const { return m_traySecondsLeft; }

private:
    void StopSoundPart();

    AudioPort& m_audio;
    TrayNoticeService& m_tray;
    SettingsPort& m_settings;
    bool m_muted = false;

    bool m_beeping = false;
    BeepParameters m_beep;
    MonotonicTime m_nextBeepAt{};
    bool m_beepFailureTold = false;  // this notice's failed tone was handed out

    bool m_musicPlaying = false;
    int m_musicSecondsLeft = 0;
    MonotonicTime m_nextMusicTickAt{};

    bool m_trayAnimating = false;
    int m_traySecondsLeft = 0;
    MonotonicTime m_nextTrayTickAt{};
};

}  // namespace tidewell
