#include "schedule_file/schedule_store.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "config/admin_password.h"
#include "config/program_options.h"
#include "files/durable_file.h"
#include "crypto/outer_scramble.h"
#include "crypto/protect_file.h"
#include "schedule_file/schedule_keys.h"
#include "schedule_file/schedule_section.h"
#include "format/settings_text.h"
#include "files/temporary_file.h"
#include "text/messages.h"
#include "text/text_util.h"
#include "timing/post_load_update.h"
#include "timing/randomization.h"
#include "timing/validation.h"

namespace tidewell {
namespace {

namespace keys = schedule_keys;

constexpr std::string_view kConfigSection = option_keys::kConfigSection;
constexpr std::string_view kFileReminderValue = option_keys::kErrorReminderFile;
constexpr std::string_view kMusicReminderValue = option_keys::kErrorReminderMusic;
constexpr size_t kBytesPerTask = 1200;  // a generous guess of one task's section

std::string SectionName(ScheduleType type, int number) {
    char name[64];
    std::snprintf(name, sizeof name, keys::kSectionNameFormat, std::string(ScheduleSectionName(type)).c_str(),
                  number);
    return name;
}

std::string WithPath(MessageId id, const std::string& path) {
    return ReplaceAll(LoadMessage(id), "#1", path);
}

Result ShowFailure(const ScheduleStoreContext& context, std::string message, ErrorKind kind = ErrorKind::damaged) {
    context.messageBox.ShowMessageBox(message, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
    return Result::Fail(kind, std::move(message));
}

ProtectFileOptions QuietProtection() {
    ProtectFileOptions options;
    options.quiet = true;
    options.keepBackup = false;
    options.overwriteMode = OverwriteMode::Overwrite;
    return options;
}

// ---- Saving ----

SettingsTextWriter BuildDocument(TaskList& list, const ScheduleStoreContext& context) {
    SettingsTextWriter document;
    document.Reserve(kBytesPerTask * (list.size() + 1));
    document.SetHeader(keys::kHeader);
    document.AddSection(keys::kInfoSection);
    document.WriteString(keys::kInfoKey, keys::kInfoValue);
    // Only a task that cannot be described is left out. A missing program or
    // music file is not a reason: the file may come back, and the task with it.
    ValidationOptions validation;
    validation.loadMode = true;
    validation.remindFileErrors = false;
    validation.remindMusicErrors = false;
    validation.macroChecking = false;
    for (int type = 0; type < kScheduleTypeCount; ++type) {
        int number = 0;
        for (TaskRecord& task : list) {
            if (static_cast<int>(task.scheduleInfo.type) != type) continue;
            if (!ValidateTask(task, validation).keep) continue;
            WriteTaskSection(document, SectionName(task.scheduleInfo.type, ++number), task,
                             context.peEdition);
        }
    }
    return document;
}

Result SaveProtected(const std::string& path, const std::string& text, const ScheduleStoreContext& context) {
    std::optional<TemporaryFile> plain = TemporaryFile::Create(context.temporaryFolder, 1);
    std::optional<TemporaryFile> sealed = TemporaryFile::Create(context.temporaryFolder, 1);
    if (!plain || !sealed) {
        return ShowFailure(context,
                           WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, context.temporaryFolder));
    }
    if (!WriteFileDurably(plain->Path(), text)) {
        return ShowFailure(context, WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, plain->Path()));
    }
    Result sealedOk =
        ProtectFile(plain->Path(), sealed->Path(), EncodePassword(context.password), true, QuietProtection());
    std::string container;
    if (!sealedOk || ReadWholeFile(sealed->Path(), container) != ReadStatus::Ok) {
        return ShowFailure(context, WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, sealed->Path()));
    }
    if (!WriteFileDurably(path, WrapOuterScramble(container))) {
        return ShowFailure(context, WithPath(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, path));
    }
    return Result::Ok();
}

// ---- Loading ----

// The plain text of a protected file, read through both layers; on failure
// the message says why.
std::optional<std::string> UnprotectedText(const std::string& file, const ScheduleStoreContext& context,
                                           std::string& failure) {
    std::optional<std::string> container = UnwrapOuterScramble(file);
    if (!container) {
        failure = LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH);
        return std::nullopt;
    }
    if (context.password.empty()) {
        failure = LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD);
        return std::nullopt;
    }
    std::optional<TemporaryFile> plain = TemporaryFile::Create(context.temporaryFolder, 1);
    std::optional<TemporaryFile> sealed = TemporaryFile::Create(context.temporaryFolder, 1);
    if (!plain || !sealed || !WriteFileDurably(sealed->Path(), *container)) {
        failure = WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, context.temporaryFolder);
        return std::nullopt;
    }
    Result opened = ProtectFile(sealed->Path(), plain->Path(), EncodePassword(context.password), false,
                                QuietProtection());
    std::string text;
    if (!opened || ReadWholeFile(plain->Path(), text) != ReadStatus::Ok) {
        failure = opened ? LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH) : opened.message();
        return std::nullopt;
    }
    return text;
}

bool IsPlain(const SettingsText& document) {
    std::string header;
    std::string info;
    document.GetHeader(header);
    document.ReadString(keys::kInfoSection, keys::kInfoKey, {}, info);
    return !header.empty() && !info.empty();
}

std::optional<SettingsText> ReadDocument(const std::string& path, const ScheduleStoreContext& context,
                                         std::string& failure) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) != ReadStatus::Ok) {
        failure = WithPath(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, path);
        return std::nullopt;
    }
    SettingsText document;
    document.LoadFromString(bytes);
    if (IsPlain(document)) return document;
    std::optional<std::string> text = UnprotectedText(bytes, context, failure);
    if (!text) return std::nullopt;
    document.LoadFromString(*text);
    return document;
}

std::string FreeAsideName(const std::string& path) {
    std::error_code error;
    int number = 1;
    while (std::filesystem::exists(KeptAsideName(path, number), error)) ++number;
    return KeptAsideName(path, number);
}

// Keeps the file as it was under a free "<path>.damaged" name and tells the
// user, after the reason when there is one.
std::string KeepAside(const std::string& path, bool move, const std::string& reason,
                      const ScheduleStoreContext& context) {
    std::string aside = FreeAsideName(path);
    std::error_code error;
    if (move) {
        std::filesystem::rename(path, aside, error);
    } else {
        std::filesystem::copy_file(path, aside, error);
    }
    if (error) return {};
    std::string message = WithPath(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS, aside);
    if (!reason.empty()) message = reason + "\r\n\r\n" + message;
    context.messageBox.ShowMessageBox(message, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
    return aside;
}

// Shows what validation found. A missing program or music file asks whether
// to remind again; "no" switches that reminder off for good.
void ShowValidationText(const std::string& text, ValidationOptions& validation,
                        const ScheduleStoreContext& context) {
    std::string firstLine = text.substr(0, text.find("\r\n"));
    bool fileProblem = firstLine == LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID);
    bool musicProblem = firstLine == LoadMessage(IDS_TIDEWELL_ERROR_MUSIC_NOT_VALID);
    std::string caption = LoadMessage(IDS_KLN_ERROR);
    if (!fileProblem && !musicProblem) {
        context.messageBox.ShowMessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    bool remind = true;
    context.messageBox.ShowMessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION, {}, &remind);
    if (remind) return;
    (fileProblem ? validation.remindFileErrors : validation.remindMusicErrors) = false;
    context.settings.WriteSettingInt(kConfigSection, fileProblem ? kFileReminderValue : kMusicReminderValue,
                                     0);
}

class TaskLoader {
public:
    TaskLoader(TaskList& list, const ScheduleStoreContext& context, LoadReport& report)
        : m_list(list),
          m_context(context),
          m_report(report),
          m_defaults{context.settings, context.clock, context.peEdition} {
        m_validation.loadMode = true;
        m_validation.macroChecking = context.macroChecking;
        m_validation.remindFileErrors =
            context.settings.ReadSettingInt(kConfigSection, kFileReminderValue, 1) == 1;
        m_validation.remindMusicErrors =
            context.settings.ReadSettingInt(kConfigSection, kMusicReminderValue, 1) == 1;
        // Every record starts from the same defaults: the settings are read once, not per task.
        ResetToDefaults(m_newTask, m_defaults);
    }

    void ReadAll(const SettingsText& document) {
        for (int type = 0; type < kScheduleTypeCount; ++type) {
            for (int number = 1;; ++number) {
                TaskRecord task = m_newTask;
                task.scheduleInfo.type = static_cast<ScheduleType>(type);
                SectionRead read =
                    ReadTaskSection(document, SectionName(task.scheduleInfo.type, number), task);
                if (read == SectionRead::missing) break;
                if (read == SectionRead::listFailed || !TakeOver(task)) {
                    ++m_report.droppedTasks;
                    continue;
                }
                AddChecked(std::move(task));
            }
        }
        bool listHasClockSync = false;
        for (const TaskRecord& task : m_list) listHasClockSync = listHasClockSync || task.isClockSyncTask;
        if (!listHasClockSync) {
            TaskRecord clockSync;
            MakeClockSyncTask(clockSync, m_defaults);
            AddChecked(std::move(clockSync));
        }
    }

private:
    // The clock synchronization and edition rules; false drops the task.
    bool TakeOver(TaskRecord& task) {
        TaskInfo& info = task.taskInfo;
        if (info.swoType == WindowsOperation::clockSynchronization) {
            if (m_haveClockSync) return false;
            m_haveClockSync = true;
            task.isClockSyncTask = true;
            task.soundInfo.noticeSound = false;
        }
        if (m_context.peEdition && info.taskType == TaskType::macro) {
            info.taskType = TaskType::program;
            info.programPath = info.macroPath;
        }
        return true;
    }

    void AddChecked(TaskRecord task) {
        NextRunContext next{m_context.clock, m_context.random};
        RefreshRandom(task, false, next);
        ValidationResult result = ValidateTask(task, m_validation);
        if (!result.message.empty()) ShowValidationText(result.message, m_validation, m_context);
        if (!result.keep) {
            ++m_report.droppedTasks;
            return;
        }
        if (!result.message.empty()) ++m_report.warnings;
        m_list.Add(std::move(task));
    }

    TaskList& m_list;
    const ScheduleStoreContext& m_context;
    LoadReport& m_report;
    TaskDefaultsContext m_defaults;
    TaskRecord m_newTask;
    ValidationOptions m_validation;
    bool m_haveClockSync = false;
};

}  // namespace

LoadReport LoadTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context,
                        const LoadOptions& options) {
    LoadReport report;
    list.Clear();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return report;
    std::optional<SettingsText> document = ReadDocument(path, context, report.failureMessage);
    if (!document) {
        if (options.keepDamagedAside)
            report.keptAsidePath = KeepAside(path, true, report.failureMessage, context);
        return report;
    }
    TaskLoader(list, context, report).ReadAll(*document);
    if (report.droppedTasks > 0 && options.keepDamagedAside)
        report.keptAsidePath = KeepAside(path, false, {}, context);
    if (options.displayOrder) PostLoadUpdate(list, {context.clock, context.random});
    report.loaded = true;
    return report;
}

Result SaveTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context) {
    SettingsTextWriter document = BuildDocument(list, context);
    if (context.password.empty()) {
        Result saved = document.SaveToFile(path);
        if (!saved) return ShowFailure(context, saved.message());
        return saved;
    }
    return SaveProtected(path, document.SaveToString(), context);
}

Result RefreshThroughFile(TaskList& list, const ScheduleStoreContext& context) {
    std::optional<TemporaryFile> file = TemporaryFile::Create(context.temporaryFolder, 0);
    if (!file)
        return ShowFailure(context,
                           WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, context.temporaryFolder));
    Result saved = SaveTaskList(file->Path(), list, context);
    if (!saved) return saved;
    TaskList reloaded;
    LoadOptions options;
    options.keepDamagedAside = false;
    if (!LoadTaskList(file->Path(), reloaded, context, options).loaded) {
        return Result::Fail(ErrorKind::io, WithPath(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, file->Path()));
    }
    reloaded.SetModified(list.IsModified());
    list = std::move(reloaded);
    return Result::Ok();
}

size_t AddTask(TaskList& list, const TaskRecord& task, const ScheduleStoreContext& context) {
    list.Add(task);
    (void)RefreshThroughFile(list, context);  // a failed refresh keeps the list as added
    for (size_t i = 0; i < list.size(); ++i) {
        if (SameTask(list[i], task)) return i;
    }
    return list.size();
}

}  // namespace tidewell
