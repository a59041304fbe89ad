#include "runtime/task_sound.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

constexpr std::string_view kWaveExtension = ".wav";
constexpr std::string_view kMidiExtensions[] = {".mid", ".midi", ".rmi"};
constexpr int kBeepSoundType = 0;

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) {
            return false;
        }
    }
    return true;
}

// False when the user does not want to hear the sound while muted.
bool AskTryWhileMuted(SettingsPort& settings, MessageBoxService& messageBox) {
    if (settings.ReadSettingInt(kMutePromptSection, kPromptAtTryValueName, 1) == 0) {
        return true;
    }
    const std::string product = LoadMessage(IDS_KLN_TIDEWELL);
    bool showNextTime = true;
    const int answer = messageBox.ShowMessageBox(LoadMessage(IDS_MESSAGE_PROMPT_TRY_MUSIC_WHEN_MUTE, product),
                                                 product, MB_YESNO | MB_ICONQUESTION, {}, &showNextTime);
    if (!showNextTime && !settings.WriteSettingInt(kMutePromptSection, kPromptAtTryValueName, 0)) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
    return answer == IDYES;
}

}  // namespace

MusicKind MusicKindOf(std::string_view path) {
    if (EndsWithNoCase(path, kWaveExtension)) {
        return MusicKind::wave;
    }
    for (const std::string_view extension : kMidiExtensions) {
        if (EndsWithNoCase(path, extension)) {
            return MusicKind::midi;
        }
    }
    return MusicKind::none;
}

int TrayNoticeSeconds(const TaskRecord& task) {
    const SoundInfo& sound = task.soundInfo;
    if (sound.noticeSound && sound.duration >= 1 && sound.duration <= kMaxTraySoundSeconds) {
        return sound.duration;
    }
    return kDefaultTraySeconds;
}

Result StartRunNotices(SoundNoticePlayer& player, const TaskRecord& task, MonotonicTime now) {
    player.TrayRunNotice(now, task.title, TrayNoticeSeconds(task));
    const SoundInfo& sound = task.soundInfo;
    if (!sound.noticeSound) {
        return Result::Ok();
    }
    if (sound.type == kBeepSoundType) {
        // Seconds to milliseconds without overflow; the notice clamps the total anyway.
        const int64_t totalMs = static_cast<int64_t>(sound.duration) * 1000;
        player.BeepNotice(now, sound.beepFrequency,
                          static_cast<int>(std::clamp<int64_t>(totalMs, INT32_MIN, INT32_MAX)),
                          sound.beepBeep, sound.beepDelay);
        return Result::Ok();
    }
    switch (MusicKindOf(sound.musicFilePath)) {
        case MusicKind::wave: return player.PlayWaveNotice(sound.musicFilePath);
        case MusicKind::midi: return player.PlayMidiNotice(now, sound.musicFilePath, sound.duration);
        case MusicKind::none: break;
    }
    return Result::Ok();
}

bool TryMusicFile(SoundNoticePlayer& player, const std::string& path, MonotonicTime now,
                  SettingsPort& settings, MessageBoxService& messageBox) {
    const MusicKind kind = MusicKindOf(path);
    if (kind == MusicKind::none) {
        return false;
    }
    if (player.Muted() && !AskTryWhileMuted(settings, messageBox)) {
        return false;
    }
    const Result played = kind == MusicKind::wave ? player.PlayWaveNotice(path, true)
                                                  : player.PlayMidiNotice(now, path, kTrySeconds, true);
    if (!played) {
        messageBox.ShowMessageBox(played.message(), LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONERROR);
        player.StopCurrentSound();
        return false;
    }
    return true;
}

bool TryBeep(SoundNoticePlayer& player, const SoundInfo& sound, MonotonicTime now, SettingsPort& settings,
             MessageBoxService& messageBox) {
    if (player.Muted() && !AskTryWhileMuted(settings, messageBox)) {
        return false;
    }
    player.BeepNotice(now, sound.beepFrequency, kTrySeconds * 1000, sound.beepBeep, sound.beepDelay, true);
    return true;
}

}  // namespace tidewell
