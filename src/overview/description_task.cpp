#include <algorithm>
#include <array>
#include <cctype>

#include "overview/description.h"
#include "overview/fill_message.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/unit_name.h"
#include "timing/waiting.h"

namespace tidewell {
namespace {

constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".com", ".bat", ".sh"};
constexpr int kOperationCount = 7;

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string ProgramText(const TaskInfo& info) {
    std::string path = ShortenPath(info.programPath, kDescriptionPathLength);
    if (!LooksLikeProgram(info.programPath)) return FillMessage(IDS_TIDEWELL_SUMMARY_TASK_OPEN_FILE, path);
    if (info.parameter.empty()) return FillMessage(IDS_TIDEWELL_SUMMARY_TASK_RUN_PROGRAM, path);
    return FillMessage(IDS_TIDEWELL_SUMMARY_TASK_RUN_PROGRAM_WITH_PAR, path, info.parameter);
}

std::string MacroText(const TaskInfo& info) {
    std::string encrypted;
    if (!info.macroPassword.empty())
        encrypted = "(" + LoadMessage(IDS_TIDEWELL_SUMMARY_TASK_ENCRYPTED_MACRO) + ")";
    return FillMessage(IDS_TIDEWELL_SUMMARY_TASK_RUN_MACRO,
                       ShortenPath(info.macroPath, kDescriptionPathLength), encrypted);
}

std::string OperationText(WindowsOperation operation) {
    auto code = static_cast<int>(operation);
    if (code < 0 || code >= kOperationCount) return std::string(kFalseTaskTypeText);
    return LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, static_cast<std::size_t>(code));
}

}  // namespace

bool LooksLikeProgram(std::string_view path) {
    // A URL or a folder is opened.
    if (path.find("://") != std::string_view::npos) return false;
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (name.empty()) return false;
    std::size_t dot = name.find_last_of('.');
    // A leading dot names a hidden file, not an extension.
    if (dot == std::string_view::npos || dot == 0) return true;
    std::string extension = LowerAscii(name.substr(dot));
    return std::find(kProgramExtensions.begin(), kProgramExtensions.end(), extension) !=
           kProgramExtensions.end();
}

std::string TaskSectionText(const TaskRecord& task) {
    const TaskInfo& info = task.taskInfo;
    switch (info.taskType) {
        case TaskType::program: return ProgramText(info);
        case TaskType::macro: return MacroText(info);
        case TaskType::notice:
            return FillMessage(IDS_TIDEWELL_SUMMARY_TASK_SHOW_NOTICE,
                               ShortenText(info.noticeMsg, kDescriptionNoticeLength));
        case TaskType::windowsOperation: return OperationText(info.swoType);
    }
    return std::string(kFalseTaskTypeText);
}

std::string SoundSectionText(const SoundInfo& sound) {
    if (!sound.noticeSound) return LoadMessage(IDS_TIDEWELL_SUMMARY_SOUND_NOT_USED);
    std::string duration = std::to_string(sound.duration);
    // Any type but 0 plays the music file, as the sound player does.
    if (sound.type != 0)
        return FillMessage(IDS_TIDEWELL_SUMMARY_SOUND_MUSIC,
                           ShortenPath(sound.musicFilePath, kDescriptionPathLength), duration);
    std::string round = std::to_string(sound.beepBeep) + "/" + std::to_string(sound.beepDelay);
    return FillMessage(IDS_TIDEWELL_SUMMARY_SOUND_BEEP, duration, std::to_string(sound.beepFrequency), round);
}

std::string WaitingSectionText(const WaitingInfo& waiting) {
    switch (WaitingChoiceOf(waiting.quantity)) {
        case WaitingChoice::dontWait: return LoadMessage(IDS_TIDEWELL_SUMMARY_WT_DO_NOT_WAIT);
        case WaitingChoice::keepWaiting: return LoadMessage(IDS_TIDEWELL_SUMMARY_WT_KEEP_WAITING);
        case WaitingChoice::waitForSomeTime: break;
    }
    return FillMessage(IDS_TIDEWELL_SUMMARY_WT_WAIT_SOME_TIME, std::to_string(waiting.quantity),
                       UnitName(waiting.unit));
}

}  // namespace tidewell
