#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_operations.h"
#include "config/admin_password.h"
#include "platform/launcher.h"

namespace tidewell::testing {

// Records which operation the main window reached, by name, and the events it logged.
class RecordingOperations final : public FrameOperations {
public:
    void RunTaskNow(TaskRecord&) override { calls.push_back("RunTaskNow"); }
    void AddTask(TaskList&) override { calls.push_back("AddTask"); }
    void EditTask(TaskList&, TaskRecord&) override { calls.push_back("EditTask"); }
    void Find(TaskList&) override { calls.push_back("Find"); }
    void FindNext(TaskList&) override { calls.push_back("FindNext"); }
    void Options() override { calls.push_back("Options"); }
    void ClockSynchronization() override { calls.push_back("ClockSynchronization"); }
    void QuickView(TaskList&) override { calls.push_back("QuickView"); }
    void Statistics(const TaskList&) override { calls.push_back("Statistics"); }
    void ViewLog() override { calls.push_back("ViewLog"); }
    void StopCurrentSound() override { calls.push_back("StopCurrentSound"); }
    void ResetSoundPlayer() override { calls.push_back("ResetSoundPlayer"); }
    void LogEvent(const TaskRecord*, EventKind kind) override { events.push_back(kind); }
    void CheckDueTasks(TaskList&) override { ++passes; }
    void CheckAtLogonJob(TaskList&) override { calls.push_back("CheckAtLogonJob"); }

    std::vector<std::string> calls;
    std::vector<EventKind> events;
    int passes = 0;
};

// Records what would have been opened or started.
class RecordingLauncher final : public Launcher {
public:
    Result Open(const std::string& target) override {
        opened.push_back(target);
        return Result::Ok();
    }
    Result Start(const std::string& program, const std::string&, const std::string&) override {
        started.push_back(program);
        return Result::Ok();
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
};

// Answers the password dialog from a queue (nullopt is Cancel); an empty queue cancels.
class ScriptedPasswordPrompt final : public PasswordPrompt {
public:
    void Enter(std::optional<std::string> text) { m_entries.push_back(std::move(text)); }
    std::optional<std::string> AskPassword(const PasswordRequest& request) override {
        requests.push_back(request);
        if (m_entries.empty()) return std::nullopt;
        std::optional<std::string> entry = m_entries.front();
        m_entries.pop_front();
        return entry;
    }
    std::vector<PasswordRequest> requests;

private:
    std::deque<std::optional<std::string>> m_entries;
};

// Waits without waiting: the wrong-password delay is only recorded.
class RecordingSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration); }
    std::vector<std::chrono::milliseconds> waits;
};

}  // namespace tidewell::testing
