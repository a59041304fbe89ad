#include <filesystem>

#include "app_fixture.h"
#include "base/text_util.h"
#include "platform/linux_launcher.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

class CommandLauncherTest : public AppFixture {};

// The page installed with the program; HelpPageTest picks it by the user's language.
TEST_F(CommandLauncherTest, HelpOpensThePageInstalledWithTheProgram) {
    const std::string prefix = m_home.File("prefix");
    std::filesystem::create_directories(prefix + "/bin");
    const std::string page = prefix + "/share/tidewell/help/en/index.html";
    std::filesystem::create_directories(std::filesystem::path(page).parent_path());
    WriteFileText(page, "<html></html>");
    AppStartOptions options = Options();
    options.programPath = prefix + "/bin/tidewell";
    CTidewellApp app(options);
    ASSERT_TRUE(app.InitInstance());
    FindAction(app, "actionHelp")->trigger();
    EXPECT_EQ(m_launcher.opened, std::vector<std::string>{page});
    EXPECT_EQ(m_messageBox.CallCount(), 0u);

    std::filesystem::remove_all(prefix + "/share/tidewell/help");
    FindAction(app, "actionHelp")->trigger();
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(m_messageBox.LastCall().text,
              ReplaceAll(LoadMessage(IDS_MESSAGE_HELP_NOT_INSTALLED), "#1", page));
}

// The desktop's opener starts and then finds no program for the address, as xdg-open does
// where no browser is set up: its failure reaches the user once, after it ended.
TEST_F(CommandLauncherTest, AnOpenerThatFailsAfterItStartedIsToldOnce) {
    LinuxLauncher failingOpener("false");
    AppStartOptions options = Options();
    options.launcher = &failingOpener;
    CTidewellApp app(options);
    ASSERT_TRUE(app.InitInstance());
    FindAction(app, "actionHomepage")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_messageBox.OpenCount() == 1; }, 10000));
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(
        m_messageBox.LastCall().text,
        ReplaceAll(ReplaceAll(LoadMessage(IDS_MESSAGE_DESKTOP_COULD_NOT_OPEN), "#1", kHomepage), "#2", "1"));
    Settle();
    EXPECT_EQ(m_messageBox.CallCount(), 1u);
}

}  // namespace
}  // namespace tidewell::testing
