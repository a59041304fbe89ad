#include <fcntl.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/program/single_instance.h"
#include "app/program/start_string.h"
#include "app_fixture.h"
#include "files/file_faults.h"
#include "files/unique_fd.h"
#include "runtime/debug_log.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

using StartUpTest = AppFixture;

TEST_F(StartUpTest, AnyOtherArgumentEndsSilentlyBeforeTouchingAnything) {
    EXPECT_EQ(Start({"schedule.rws"}), nullptr);
    EXPECT_EQ(Start({"autoload", "x"}), nullptr);
    EXPECT_EQ(m_messageBox.CallCount(), 0u);
    EXPECT_FALSE(std::filesystem::exists(m_home.File("config")));
    EXPECT_FALSE(std::filesystem::exists(m_home.File("data")));
}

TEST_F(StartUpTest, FirstRunOnTheMachineNeedsAnAdministrator) {
    AppStartOptions options = Options();
    options.administrator = false;
    CTidewellApp refused(options);
    EXPECT_FALSE(refused.InitInstance());
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(m_messageBox.LastCall().text, LoadMessage(IDS_MESSAGE_PROMPT_ADMIN_REQUIRED_FOR_FIRST_RUN));

    // Once an administrator has started it, anyone may: every user reads the machine file.
    ASSERT_NE(Start(), nullptr);
    struct stat info {};
    ASSERT_EQ(
        ::stat(m_home.File("machine/Verimont/Tidewell/" + ProductVersionNumber() + "/registry.ini").c_str(),
               &info),
        0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    CTidewellApp later(options);
    EXPECT_TRUE(later.InitInstance());
}

TEST_F(StartUpTest, TheDebugLogIsWrittenOnlyWhenItsSwitchFileIsThere) {
    const std::string programDir = m_home.File("program");
    AppStartOptions options = Options();
    options.programPath = programDir + "/tidewell";
    for (const bool switchedOn : {false, true}) {
        if (switchedOn) WriteFileText(programDir + "/config/tidewell_debug_info", "");
        CTidewellApp app(options);
        ASSERT_TRUE(app.InitInstance());
        const std::string trace =
            std::filesystem::exists(app.Debug().Path()) ? ReadFileText(app.Debug().Path()) : "";
        EXPECT_EQ(trace.find("***** Program Start *****\r\n") != std::string::npos, switchedOn);
        EXPECT_EQ(trace.find("\tInitInstance\treturn TRUE;\r\n") != std::string::npos, switchedOn);
    }
}

TEST_F(StartUpTest, StagedFilesOfAnInterruptedSaveGoAtTheNextStart) {
    InstallExampleSchedule();
    const std::string folder = m_home.File("Documents/Verimont User Data/Ostrel/");
    WriteFileText(folder + ".schedule.rws.tmp-77-0-12345", "killed during a save");
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder + ".schedule.rws.tmp-77-0-12345").c_str(), old, 0), 0);
    WriteFileText(folder + ".schedule.rws.tmp-77-1-12345", "being written now");
    const timespec later[2] = {{4000000000, 0}, {4000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder + ".schedule.rws.tmp-77-1-12345").c_str(), later, 0), 0);
    auto app = Start();
    ASSERT_NE(app, nullptr);
    // The lock beside the list is the running program's.
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{".schedule.rws.tmp-77-1-12345", "schedule.rws",
                                                               "schedule.rws.lock"}));
}

TEST_F(StartUpTest, SecondInteractiveStartShowsTheFirstAndEnds) {
    auto first = Start({"autoload"});
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->MainFrame()->isHidden());

    EXPECT_EQ(Start({"autoload"}), nullptr);  // a second logon start says nothing
    Settle();
    EXPECT_TRUE(first->MainFrame()->isHidden());

    EXPECT_EQ(Start(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->MainFrame()->isVisible(); }, 2000));
    EXPECT_EQ(m_messageBox.CallCount(), 0u);
}

TEST_F(StartUpTest, ASecondStartThatCannotReachTheFirstSaysSoAndFails) {
    // An instance that holds the lock but does not answer: hung, or its socket removed.
    const Locations locations = BuildLocations(m_environment, "/usr/bin");
    std::filesystem::create_directories(locations.TempDir());
    const std::string lockPath =
        InstancePath(locations.TempDir(), getuid()) + std::string(kInstanceLockSuffix);
    const UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_EQ(::flock(lock.Get(), LOCK_EX | LOCK_NB), 0);
    CTidewellApp second(Options());
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.StartFailureStatus(), 1);
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(m_messageBox.LastCall().text, LoadMessage(IDS_ERROR_INSTANCE_DID_NOT_ANSWER, "Tidewell"));
}

// A damaged file fails the same read: AdminPasswordTest.FileRoundTripsInNinetyTwoBytesAndRefusesDamage.
TEST_F(StartUpTest, APasswordFileThatCannotBeReadKeepsTheProgramShut) {
    SetAdminPassword("secret7");
    const std::string path = BuildLocations(m_environment, "/usr/bin").PasswordFilePath();
    SetFileFaultHook([path](FileStep step, const std::string& at) {
        return step == FileStep::read && at == path ? EACCES : 0;
    });
    m_passwordPrompt.Enter("anything");
    CTidewellApp app(Options());
    EXPECT_FALSE(app.InitInstance());
    SetFileFaultHook({});
    EXPECT_EQ(app.StartFailureStatus(), 1);
    EXPECT_TRUE(m_passwordPrompt.requests.empty()) << "refused before any prompt";
    ASSERT_GE(m_messageBox.CallCount(), 1u);
    EXPECT_NE(m_messageBox.LastCall().text.find(path), std::string::npos);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

}  // namespace
}  // namespace tidewell::testing
