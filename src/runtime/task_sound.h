#pragma once

#include <string>
#include <string_view>

#include "model/task_record.h"
#include "platform/settings_port.h"
#include "runtime/sound_notice_player.h"
#include "ui_ports/message_box.h"

namespace tidewell {

// Tray seconds of a run without a usable sound duration.
inline constexpr int kDefaultTraySeconds = 10;
inline constexpr int kMaxTraySoundSeconds = 120;
// A try of a music file on the sound page lasts at most this long.
inline constexpr int kTrySeconds = 20;
// Whether trying a sound while muted asks first (DWORD, default 1).
inline constexpr std::string_view kMutePromptSection = "Mute";
inline constexpr std::string_view kPromptAtTryValueName = "Prompt at Try";

enum class MusicKind { none, wave, midi };

// By the path's extension, in any letter case: ".wav", or ".mid", ".midi", ".rmi".
MusicKind MusicKindOf(std::string_view path);

// How long a run of the task animates the tray icon.
int TrayNoticeSeconds(const TaskRecord& task);

// The notices of a task run: the tray notice, then the task's sound notice when it has one
// (beeps, or its music file by extension; another extension plays nothing). The result is
// that of starting the music file.
Result StartRunNotices(SoundNoticePlayer& player, const TaskRecord& task, MonotonicTime now);

// The sound page's try of a music file, forced past mute for kTrySeconds. While muted, asks
// first unless the user chose not to be asked again; a failing file is reported in the message
// box. Returns whether the try started: the page then stops every sound after kTrySeconds.
bool TryMusicFile(SoundNoticePlayer& player, const std::string& path, MonotonicTime now,
                  SettingsPort& settings, MessageBoxService& messageBox);

// The same try for beeps: the sound's beeps, forced past mute, for kTrySeconds, with the same
// question while muted. Returns whether the beeps started.
bool TryBeep(SoundNoticePlayer& player, const SoundInfo& sound, MonotonicTime now, SettingsPort& settings,
             MessageBoxService& messageBox);

}  // namespace tidewell
