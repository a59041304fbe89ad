#include "runtime/sound_notice_player.h"

#include <algorithm>

#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

SoundNoticePlayer::SoundNoticePlayer(AudioPort& audio, TrayNoticeService& tray, SettingsPort& settings)
    : m_audio(audio),
      m_tray(tray),
      m_settings(settings),
      m_muted(settings.ReadSettingInt(app_keys::kSoundSection, app_keys::kMute, 0) == 1) {}

Result SoundNoticePlayer::ToggleMute() {
    m_muted = !m_muted;
    // Switching mute on silences what plays too: that is what the user asks for.
    StopCurrentSound();
    return m_settings.WriteSettingInt(app_keys::kSoundSection, app_keys::kMute, m_muted ? 1 : 0);
}

void SoundNoticePlayer::BeepNotice(MonotonicTime now, int frequency, int totalMs, int lengthMs, int pauseMs,
                                   bool force) {
    if (m_muted && !force) {
        return;
    }
    m_beep.frequency = std::clamp(frequency, kMinBeepFrequency, kMaxBeepFrequency);
    m_beep.msLeft = std::clamp(totalMs, kMinBeepTotalMs, kMaxBeepTotalMs);
    m_beep.lengthMs = std::clamp(lengthMs, kMinBeepLengthMs, kMaxBeepLengthMs);
    m_beep.pauseMs = std::clamp(pauseMs, kMinBeepPauseMs, kMaxBeepPauseMs);
    m_beep.periodMs = 2 * m_beep.pauseMs;
    m_beeping = true;
    m_beepFailureTold = false;
    m_nextBeepAt = now + std::chrono::milliseconds(m_beep.periodMs);
}

Result SoundNoticePlayer::PlayWaveNotice(const std::string& path, bool force) {
    if (m_muted && !path.empty() && !force) {
        return Result::Ok();
    }
    m_audio.StopWave();
    if (path.empty()) {
        return Result::Ok();
    }
    return m_audio.PlayWave(path);
}

Result SoundNoticePlayer::PlayMidiNotice(MonotonicTime now, const std::string& path, int seconds,
                                         bool force) {
    if (m_muted && !path.empty() && !force) {
        return Result::Ok();
    }
    m_musicPlaying = true;
    m_musicSecondsLeft = seconds;
    m_nextMusicTickAt = now + kNoticeSecond;
    m_audio.StopMidi();
    return m_audio.PlayMidi(path);
}

void SoundNoticePlayer::StopSoundPart() {
    m_audio.StopWave();
    m_audio.StopMidi();
}

void SoundNoticePlayer::StopCurrentSound() {
    StopSoundPart();
    m_audio.StopTone();
    m_beeping = false;
    m_beep.msLeft = 0;
    m_musicPlaying = false;
    m_musicSecondsLeft = 0;
    m_traySecondsLeft = 0;
    ReleaseAudioWhenSilent();
}

void SoundNoticePlayer::TrayRunNotice(MonotonicTime now, std::string_view title, int seconds) {
    std::string tip = LoadMessage(IDS_KLN_TIDEWELL);
    tip += kTrayTipSeparator;
    tip += title;
    m_trayAnimating = true;
    m_traySecondsLeft = seconds;
    m_nextTrayTickAt = now + kNoticeSecond;
    m_tray.StartRunAnimation(tip);
}

Result SoundNoticePlayer::BeepTick(MonotonicTime now) {
    if (!m_beeping || now < m_nextBeepAt) {
        return Result::Ok();
    }
    m_beep.msLeft -= m_beep.periodMs;
    if (m_beep.msLeft < 1) {
        m_beeping = false;
        m_beep.msLeft = 0;
        ReleaseAudioWhenSilent();
        return Result::Ok();
    }
    // The cadence goes on after a failed tone (the device may come back). Only the notice's first
    // failure is handed out: the later ones would repeat it at every beep.
    const Result played = m_audio.PlayTone(m_beep.frequency, m_beep.lengthMs);
    const bool tell = !played && !m_beepFailureTold;
    m_beepFailureTold = m_beepFailureTold || !played;
    const std::chrono::milliseconds period(m_beep.periodMs);
    MonotonicTime next = m_nextBeepAt + period;
    if (next <= now) {
        next = now + period;  // the ticks fell behind: one beep, then the cadence from here
    }
    // A beep longer than the period ends before the next one starts, as a blocking beep did.
    m_nextBeepAt = std::max(next, now + std::chrono::milliseconds(m_beep.lengthMs));
    return tell ? played : Result::Ok();
}

void SoundNoticePlayer::MusicTick(MonotonicTime now) {
    if (!m_musicPlaying) {
        return;
    }
    while (now >= m_nextMusicTickAt) {
        // "Below 1" rather than "0": a negative duration still ends.
        if (m_musicSecondsLeft < 1 || --m_musicSecondsLeft < 1) {
            m_musicSecondsLeft = 0;
            m_musicPlaying = false;
            StopSoundPart();
            ReleaseAudioWhenSilent();
            return;
        }
        m_nextMusicTickAt += kNoticeSecond;
    }
}

void SoundNoticePlayer::TrayTick(MonotonicTime now) {
    if (!m_trayAnimating || now < m_nextTrayTickAt) {
        return;
    }
    while (now >= m_nextTrayTickAt) {
        if (m_traySecondsLeft > 0) {
            --m_traySecondsLeft;
        }
        if (m_traySecondsLeft < 1) {
            m_trayAnimating = false;
            m_tray.EndRunAnimation();
            return;
        }
        m_nextTrayTickAt += kNoticeSecond;
    }
    m_tray.NextRunAnimationFrame();
}

void SoundNoticePlayer::ReleaseAudioWhenSilent() {
    if (!m_beeping && !m_musicPlaying) {
        m_audio.ReleaseWhenSilent();
    }
}

}  // namespace tidewell
