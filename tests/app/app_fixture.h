#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/main_window/main_frame.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "config/autostart_entry.h"
#include "config/password_file.h"
#include "store/registry_store.h"
#include "support/app_doubles.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell::testing {

// A started program in a temporary home, with recording doubles for everything it reaches.
class AppFixture : public ::testing::Test {
protected:
    static constexpr const char* kProgramPath = "/usr/bin/tidewell";
    // As a build may name it; the recording launcher never opens it.
    static constexpr const char* kHomepage = "https://tidewell.invalid/";

    AppFixture() : m_clock(DateTime::FromParts(2026, 12, 7, 12, 0, 0)) {
        const std::string runtime = m_home.File("run");
        mkdir(runtime.c_str(), 0700);
        m_environment = {{"HOME", m_home.Path()},
                         {"XDG_CONFIG_HOME", m_home.File("config")},
                         {"XDG_DATA_HOME", m_home.File("data")},
                         {"XDG_RUNTIME_DIR", runtime},
                         {"TIDEWELL_MACHINE_CONFIG_DIR", m_home.File("machine")}};
    }

    AppStartOptions Options(std::vector<std::string> arguments = {}) {
        AppStartOptions options;
        options.arguments = std::move(arguments);
        options.environment = m_environment;
        options.programPath = kProgramPath;
        options.administrator = true;
        options.systemLanguage = 1033;
        options.screenWidth = 1280;
        options.messageBox = &m_messageBox;
        options.operations = &m_operations;
        options.launcher = &m_launcher;
        options.clock = &m_clock;
        options.passwordPrompt = &m_passwordPrompt;
        options.trayHost = &m_trayHost;
        options.homepage = kHomepage;
        options.sessionBus = m_sessionBus;
        return options;
    }

    // Starts a program; nullptr when its start-up ended it.
    std::unique_ptr<CTidewellApp> Start(std::vector<std::string> arguments = {}) {
        auto app = std::make_unique<CTidewellApp>(Options(std::move(arguments)));
        if (!app->InitInstance()) return nullptr;
        app->Document()->FinishSaves();  // what the start wrote is on disk before the test reads it
        return app;
    }

    // The shipped example as the user's schedule file.
    void InstallExampleSchedule() {
        const std::filesystem::path folder = m_home.File("Documents/Verimont User Data/Ostrel");
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::filesystem::path(TIDEWELL_SOURCE_DIR) / "examples/schedule.rws",
                                   folder / "schedule.rws");
    }

    // Settings of an earlier run, written before the program starts.
    RegistryStore UserSettings() {
        Locations locations = BuildLocations(m_environment, "/usr/bin");
        return RegistryStore(locations.UserSettingsDir(ProductVersionNumber()));
    }

    // An administrator password set in an earlier run.
    void SetAdminPassword(const std::string& password) {
        Locations locations = BuildLocations(m_environment, "/usr/bin");
        std::filesystem::create_directories(
            std::filesystem::path(locations.PasswordFilePath()).parent_path());
        ASSERT_TRUE(WritePasswordFile(locations.PasswordFilePath(), password).ok());
    }

    std::string AutostartText() { return ReadFileText(m_home.File("config/autostart/tidewell.desktop")); }

    template <typename Widget>
    static Widget* Find(const QObject* parent, const char* name) {
        Widget* widget = parent->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QAction* FindAction(CTidewellApp& app, const char* name) {
        return app.MainFrame()->findChild<QAction*>(QString::fromLatin1(name));
    }
    // The first row of a task (not a separator) of the given schedule type.
    static size_t RowOf(CTidewellApp& app, ScheduleType type) {
        const TaskList& tasks = app.Document()->Tasks();
        for (size_t row = 0; row < tasks.size(); ++row) {
            if (!IsPlaceholderTask(tasks[row]) && tasks[row].scheduleInfo.type == type) return row;
        }
        return tasks.size();
    }
    static size_t RowTitled(CTidewellApp& app, const std::string& title) {
        const TaskList& tasks = app.Document()->Tasks();
        for (size_t row = 0; row < tasks.size(); ++row) {
            if (tasks[row].title == title) return row;
        }
        return tasks.size();
    }
    static void Settle() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

    TempDir m_home;
    Environment m_environment;
    TestClock m_clock;
    RecordingMessageBox m_messageBox;
    RecordingOperations m_operations;
    RecordingLauncher m_launcher;
    ScriptedPasswordPrompt m_passwordPrompt;
    SwitchedTrayHost m_trayHost;
    bool m_sessionBus = false;
};

}  // namespace tidewell::testing
