#include <chrono>
#include <filesystem>
#include <system_error>

#include "base/text_util.h"
#include "cli/change_commands.h"
#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "cli/terminal_password.h"
#include "cli/usage.h"
#include "cli/user_files.h"
#include "config/admin_password.h"
#include "crypto/protected_container.h"
#include "files/file_lock.h"
#include "model/task_defaults.h"
#include "overview/task_options.h"
#include "platform/memory_settings.h"
#include "platform/system_clock.h"
#include "schedule_file/schedule_store.h"
#include "text/messages.h"
#include "timing/run_text.h"
#include "timing/standard_random.h"
#include "timing/validation.h"

namespace tidewell::cli {
namespace {

// Another writer holds the file's lock for a moment; a running program holds it for good.
constexpr int kLockAttempts = 20;
constexpr std::chrono::milliseconds kLockRetry{100};

// The password of the command line, given once: a wrong one is not asked again.
class GivenPassword final : public PasswordPrompt {
public:
    explicit GivenPassword(std::string password) : m_password(std::move(password)) {}
    std::optional<std::string> AskPassword(const PasswordRequest&) override {
        if (m_asked || m_password.empty()) return std::nullopt;
        m_asked = true;
        return m_password;
    }

private:
    std::string m_password;
    bool m_asked = false;
};

// The password that opens the schedule file, or nothing when the administrator password is set
// and was not given right (the refusal has been printed).
std::optional<std::string> FilePassword(const AddOptions& options, MessageBoxService& messages,
                                        Sleeper& sleeper, std::ostream& err) {
    AdminPassword admin(messages);
    if (Result read = admin.ReadPasswordFile(UserPasswordFile()); !read) {
        err << read.message() << '\n';  // a lock nobody can open is not taken for no lock
        return std::nullopt;
    }
    if (!admin.IsSet()) return options.password;
    if (options.password.empty()) {
        err << LoadMessage(IDS_TIDEWELL_CLI_PASSWORD_NEEDED) << '\n';
        return std::nullopt;
    }
    GivenPassword prompt(options.password);
    if (admin.CheckAdminPassword({}, prompt)) return admin.Password();
    // A tool has no window to keep shut: it waits out the delay a wrong entry earns.
    sleeper.Sleep(admin.FailedAttemptDelay());
    return std::nullopt;
}

int Refuse(const std::string& message, std::ostream& err) {
    err << message << '\n' << *VerbUsage("add");
    return kExitFailure;
}

}  // namespace

int RunAdd(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           Sleeper& sleeper) {
    AddOptions options;
    if (Result parsed = ParseAddOptions(arguments, options); !parsed) return Refuse(parsed.message(), err);
    options.password = PasswordForChange(options.password, err);
    // One writer of the file: while the program runs, the task goes through it.
    if (options.file.empty()) {
        std::vector<std::string> withoutPassword;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (arguments[i] == "--password") {
                ++i;
                continue;
            }
            withoutPassword.push_back(arguments[i]);
        }
        if (std::optional<int> status = AddThroughProgram(withoutPassword, options.password, out, err))
            return *status;
    }
    const std::string file = options.file.empty() ? UserScheduleFile() : options.file;
    if (file.empty()) return Refuse(LoadMessage(IDS_MESSAGE_STRING_INPUT_STRING_IS_BLANK), err);

    SystemClock clock;
    StandardRandomSource random;
    MemorySettings settings;  // the user's remembered types stay as the wizard left them
    ConsoleMessageBox messages(err);
    std::optional<std::string> password = FilePassword(options, messages, sleeper, err);
    if (!password) return kExitFailure;

    TaskRecord task;
    ResetToDefaults(task, TaskDefaultsContext{settings, clock});
    ApplyAddOptions(options, clock.Now(), task);
    ValidationResult checked = ValidateTask(task, ValidationOptions{});
    if (!checked.keep) {
        err << PlainLines(checked.message) << '\n';
        return kExitFailure;
    }

    ScheduleStoreContext context{clock, random, settings, messages, *password};
    const std::string lockPath = ScheduleLockPath(file);
    FileLock lock(lockPath, FileLock::Wait::no);
    for (int attempt = 1; lock.HeldElsewhere() && attempt < kLockAttempts; ++attempt) {
        sleeper.Sleep(kLockRetry);
        lock = FileLock(lockPath, FileLock::Wait::no);
    }
    if (lock.HeldElsewhere()) {
        err << ReplaceAll(ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_FILE_IN_USE), "#1", file), "#2", lockPath)
            << '\n';
        return kExitFailure;
    }
    TaskList tasks;
    LoadOptions loadOptions;
    loadOptions.keepDamagedAside = false;
    LoadReport report = LoadTaskList(file, tasks, context, loadOptions);
    std::error_code missing;
    if (!report.loaded && std::filesystem::exists(file, missing)) {
        // A file under another password: the tool waits out the guess, as for the program's.
        if (report.failure.kind() == ErrorKind::wrongPassword) sleeper.Sleep(kWrongKeyDelay);
        err << report.failure.message() << '\n';
        return kExitFailure;
    }
    const std::size_t at = AddTask(tasks, task, context);
    if (at >= tasks.size()) return kExitFailure;  // the refusal has been printed
    if (!SaveTaskList(file, tasks, context)) return kExitFailure;
    out << ReplaceAll(ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_ADDED), "#1", tasks[at].title), "#2",
                      NextRunColumnText(clock.Now(), tasks[at]))
        << '\n';
    return kExitOk;
}

}  // namespace tidewell::cli
