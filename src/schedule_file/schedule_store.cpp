#include "schedule_file/schedule_store.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "base/text_util.h"
#include "config/settings_keys.h"
#include "crypto/outer_scramble.h"
#include "crypto/password_encoding.h"
#include "crypto/protected_container.h"
#include "files/durable_file.h"
#include "files/keep_aside.h"
#include "files/whole_file.h"
#include "format/settings_lines.h"
#include "format/settings_text.h"
#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "schedule_file/claims_journal.h"
#include "schedule_file/schedule_keys.h"
#include "schedule_file/schedule_section.h"
#include "text/messages.h"
#include "timing/post_load_update.h"
#include "timing/randomization.h"
#include "timing/validation.h"

namespace tidewell {
namespace {

namespace keys = schedule_keys;

constexpr size_t kBytesPerTask = 1200;  // a generous guess of one task's section

std::string SectionName(ScheduleType type, int number) {
    char name[64];
    std::snprintf(name, sizeof name, keys::kSectionNameFormat, std::string(ScheduleSectionName(type)).c_str(),
                  number);
    return name;
}

Result ShowFailure(const ScheduleStoreContext& context, Result failure) {
    context.messageBox.ShowMessageBox(failure.message(), LoadMessage(IDS_KLN_ERROR),
                                      MB_OK | MB_ICONEXCLAMATION);
    return failure;
}

// ---- Saving ----

SettingsTextWriter BuildDocument(TaskList& list, bool peEdition) {
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
            WriteTaskSection(document, SectionName(task.scheduleInfo.type, ++number), task, peEdition);
        }
    }
    return document;
}

// The bytes of a protected file: the text sealed with the password's key, then scrambled.
Result ProtectedBytes(const std::string& path, const std::string& text, const std::string& password,
                      std::string& bytes) {
    std::string container;
    Result sealed = SealContainer(text, ScheduleFileKey(password), DescribeBytes(path), container);
    if (sealed.ok()) {
        bytes = WrapOuterScramble(container);
    }
    return sealed;
}

// Serializes (which normalizes the list) and replaces the file, durably, whole or not at all.
Result WriteListFile(const std::string& path, TaskList& list, const std::string& password, bool peEdition) {
    std::string text = BuildDocument(list, peEdition).SaveToString();
    if (password.empty()) return settings_lines::SaveBytes(path, text);
    std::string bytes;
    if (Result sealed = ProtectedBytes(path, text, password, bytes); !sealed.ok()) return sealed;
    if (!WriteFileDurably(path, bytes).ok()) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, path));
    }
    return Result::Ok();
}

// ---- Loading ----

// The plain text of a protected file, read through both layers in memory.
Result UnprotectedText(std::string_view file, const ScheduleStoreContext& context, std::string& text) {
    std::optional<std::string> container = UnwrapOuterScramble(file);
    if (!container) {
        return Result::Fail(ErrorKind::damaged, LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH));
    }
    if (context.password.empty()) {
        // Nobody typed a password: say what the file needs, not that a password was wrong.
        return Result::Fail(ErrorKind::wrongPassword, LoadMessage(IDS_ERROR_SCHEDULE_PROTECTED_NO_PASSWORD));
    }
    return OpenContainer(*container, ScheduleFileKey(context.password), text);
}

bool IsPlain(const SettingsText& document) {
    std::string header;
    std::string info;
    document.GetHeader(header);
    document.ReadString(keys::kInfoSection, keys::kInfoKey, {}, info);
    return !header.empty() && !info.empty();
}

// The document the file holds, plain or protected.
Result ReadDocument(const std::string& path, const ScheduleStoreContext& context, SettingsText& document) {
    std::string bytes;
    if (Result read = ReadWholeFile(path, bytes); !read.ok()) return read;
    document.LoadFromString(bytes);
    if (IsPlain(document)) return Result::Ok();
    std::string text;
    Result opened = UnprotectedText(bytes, context, text);
    if (opened.ok()) document.LoadFromString(text);
    return opened;
}

// Tells the user what became of a file that was not read whole, after the reason when there is one.
void ShowLoadFailure(const std::string& reason, const std::string& outcome,
                     const ScheduleStoreContext& context) {
    std::string message = outcome;
    if (!reason.empty())
        message = reason + std::string(kSettingsLineBreak) + std::string(kSettingsLineBreak) + message;
    context.messageBox.ShowMessageBox(message, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
}

// Keeps the file as it was under a free "<path>.damaged" name and tells the user what the list
// holds now and where the file went. When it cannot be kept, the file must not be saved over:
// the user is told that instead, and the result is empty.
std::string KeepDamagedAside(const std::string& path, const std::string& reason, bool listEmpty,
                             const ScheduleStoreContext& context) {
    std::string aside;
    if (!KeepAside(path, aside).ok()) {
        ShowLoadFailure(reason, LoadMessage(IDS_MESSAGE_FILE_LEFT_UNTIL_USER_CHOOSES), context);
        return {};
    }
    const MessageId outcome = listEmpty ? IDS_MESSAGE_FILE_LIST_EMPTY_FILE_KEPT_AS
                                        : IDS_MESSAGE_FILE_LIST_HOLDS_READ_TASKS_FILE_KEPT_AS;
    ShowLoadFailure(reason, FileMessage(outcome, aside), context);
    return aside;
}

// Shows what validation found. A missing program or music file asks whether
// to remind again; "no" switches that reminder off for good. Inside a callback (a reload over
// the bus) the question waits for the callback's end, and the answer is kept when it comes.
void ShowValidationText(const std::string& text, ValidationOptions& validation,
                        const ScheduleStoreContext& context) {
    std::string firstLine = text.substr(0, text.find(kSettingsLineBreak));
    bool fileProblem = firstLine == LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID);
    bool musicProblem = firstLine == LoadMessage(IDS_TIDEWELL_ERROR_MUSIC_NOT_VALID);
    std::string caption = LoadMessage(IDS_KLN_ERROR);
    if (!fileProblem && !musicProblem) {
        context.messageBox.ShowMessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string_view reminder = fileProblem ? app_keys::kFileReminder : app_keys::kMusicReminder;
    MessageBoxCall call;
    call.text = text;
    call.caption = std::move(caption);
    call.style = MB_OK | MB_ICONEXCLAMATION;
    call.hasCheckBox = true;
    call.showNextTime = true;
    // Answered at once, the rest of this load follows the answer; queued, it applies from then on.
    auto remind = std::make_shared<bool>(true);
    context.messageBox.Ask(std::move(call),
                           [&settings = context.settings, reminder, remind](const MessageBoxAnswer& answer) {
                               *remind = answer.showNextTime;
                               if (answer.showNextTime) return;
                               if (!settings.WriteSettingInt(app_keys::kConfigSection, reminder, 0)) {
                                   // Not stored: the store has told the user once, and the choice
                                   // holds in memory until exit.
                               }
                           });
    if (!*remind) (fileProblem ? validation.remindFileErrors : validation.remindMusicErrors) = false;
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
            context.settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kFileReminder, 1) == 1;
        m_validation.remindMusicErrors =
            context.settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kMusicReminder, 1) == 1;
        // Every record starts from the same defaults: the settings are read once, not per task.
        ResetToDefaults(m_newTask, m_defaults);
    }

    // The tasks of the document and, when none of them is one, the clock synchronization task.
    void ReadAll(const SettingsText& document) {
        ReadTasks(document);
        bool listHasClockSync = false;
        for (const TaskRecord& task : m_list) listHasClockSync = listHasClockSync || task.isClockSyncTask;
        if (!listHasClockSync) {
            TaskRecord clockSync;
            MakeClockSyncTask(clockSync, m_defaults);
            AddChecked(std::move(clockSync));
        }
    }

    void ReadTasks(const SettingsText& document) {
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
    SettingsText document;
    Result read = ReadDocument(path, context, document);
    if (read.kind() == ErrorKind::notFound) return report;
    if (!read.ok()) {
        report.failure = read;
        // A file that cannot be read loses nothing while it is left alone, and a copy of it
        // cannot be made: it is not saved over.
        report.leaveFile = true;
        if (!options.keepDamagedAside) return report;
        if (read.kind() == ErrorKind::io) {
            ShowLoadFailure(read.message(), LoadMessage(IDS_MESSAGE_FILE_LEFT_UNTIL_USER_CHOOSES), context);
            return report;
        }
        report.keptAsidePath = KeepDamagedAside(path, read.message(), true, context);
        report.leaveFile = report.keptAsidePath.empty();
        return report;
    }
    TaskLoader(list, context, report).ReadAll(document);
    // Runs started after the file was last written are in the journal beside it.
    const Result claims = ApplyClaims(path, list, context.password, report.claimsApplied);
    if (!claims.ok() && options.keepDamagedAside)
        ShowLoadFailure(claims.message(), LoadMessage(IDS_MESSAGE_CLAIMED_RUNS_UNKNOWN), context);
    if (report.droppedTasks > 0 && options.keepDamagedAside) {
        report.keptAsidePath = KeepDamagedAside(path, {}, false, context);
        report.leaveFile = report.keptAsidePath.empty();
    }
    if (options.displayOrder) PostLoadUpdate(list, {context.clock, context.random});
    report.loaded = true;
    return report;
}

ScheduleSnapshot TakeSnapshot(const std::string& path, const TaskList& list,
                              const ScheduleStoreContext& context) {
    return {path, list, context.password, context.peEdition};
}

Result WriteSnapshot(ScheduleSnapshot& snapshot) {
    return WriteListFile(snapshot.path, snapshot.tasks, snapshot.password, snapshot.peEdition);
}

Result WriteTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context) {
    return WriteListFile(path, list, context.password, context.peEdition);
}

Result SaveTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context) {
    Result saved = WriteTaskList(path, list, context);
    return saved.ok() ? saved : ShowFailure(context, std::move(saved));
}

void RefreshThroughFile(TaskList& list, const ScheduleStoreContext& context) {
    const std::string text = BuildDocument(list, context.peEdition).SaveToString();
    SettingsText document;
    document.LoadFromString(text);
    TaskList reloaded;
    LoadReport ignored;
    TaskLoader(reloaded, context, ignored).ReadAll(document);
    PostLoadUpdate(reloaded, {context.clock, context.random});
    reloaded.SetModified(list.IsModified());
    list = std::move(reloaded);
}

size_t RefreshTaskThroughFile(TaskList& list, size_t index, const ScheduleStoreContext& context) {
    TaskRecord& task = list[index];
    if (task.isClockSyncTask || task.taskInfo.swoType == WindowsOperation::clockSynchronization) {
        // One of a kind: the whole list decides which clock synchronization task stays.
        const TaskRecord before = task;
        RefreshThroughFile(list, context);
        for (size_t i = 0; i < list.size(); ++i) {
            if (SameTask(list[i], before)) return i;
        }
        return list.size();
    }
    TaskList alone;
    alone.Add(task);
    SettingsText document;
    document.LoadFromString(BuildDocument(alone, context.peEdition).SaveToString());
    TaskList reloaded;
    LoadReport ignored;
    TaskLoader(reloaded, context, ignored).ReadTasks(document);
    if (reloaded.empty()) {
        list.Remove(index);
        ArrangeForDisplay(list);
        return list.size();
    }
    task = std::move(reloaded[0]);
    UpdateRuns(task, {context.clock, context.random});
    ArrangeForDisplay(list);
    for (size_t i = 0; i < list.size(); ++i) {
        if (&list[i] == &task) return i;
    }
    return list.size();
}

size_t AddTask(TaskList& list, const TaskRecord& task, const ScheduleStoreContext& context) {
    list.Add(task);
    return RefreshTaskThroughFile(list, list.size() - 1, context);
}

}  // namespace tidewell
