#pragma once

#include <string>
#include <vector>

#include "app/main_window/frame_operations.h"
#include "app/main_window/tray_host.h"
#include "support/recording_launcher.h"
#include "support/scripted_password_prompt.h"

namespace tidewell::testing {

// A tray host the test switches on and off; there is one at first.
class SwitchedTrayHost final : public TrayHost {
public:
    bool Available() const override { return m_available; }
    void Set(bool available) {
        m_available = available;
        emit availabilityChanged(available);
    }

private:
    bool m_available = true;
};

// Records which operation the main window reached, by name, and the events it logged.
class RecordingOperations final : public FrameOperations {
public:
    bool RunTaskNow(TaskRecord&) override {
        calls.push_back("RunTaskNow");
        return true;
    }
    void AddTask(TaskList&) override { calls.push_back("AddTask"); }
    void EditTask(TaskList&, TaskRecord&) override { calls.push_back("EditTask"); }
    void CopyTask(TaskList&, TaskRecord&) override { calls.push_back("CopyTask"); }
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
    void CheckDueTasks(TaskList&) override {}
    void CheckAtLogonJob(TaskList&) override { calls.push_back("CheckAtLogonJob"); }

    std::vector<std::string> calls;
    std::vector<EventKind> events;
};

}  // namespace tidewell::testing
