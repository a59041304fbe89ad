#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "app/dialogs/change_password_dialog.h"
#include "app/dialogs/opt_general_page.h"
#include "app/dialogs/options_dialog.h"
#include "app_fixture.h"
#include "cli/run_cli.h"
#include "config/admin_password.h"
#include "config/data_directories.h"
#include "config/program_options.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

namespace fs = std::filesystem;

class OptionsTest : public AppFixture {
protected:
    std::string DataFolder() { return m_home.File("Documents/Verimont User Data/Ostrel"); }
    // Fills the change-password dialog that the next step opens: each entry is tried in turn.
    static void AnswerPasswordDialog(std::vector<std::pair<const char*, std::string>> fields) {
        QTimer::singleShot(0, [fields] {
            auto* dialog = qobject_cast<ChangePasswordDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (const auto& [name, text] : fields) {
                if (name == std::string("ok")) {
                    dialog->findChild<QAbstractButton*>("changePasswordOk")->click();
                } else {
                    dialog->findChild<QLineEdit*>(name)->setText(QString::fromStdString(text));
                }
            }
        });
    }
};

// A password set or changed in Options is stored, logged and protects the file; one of any allowed
// length opens the file from the command-line tool, typed as the user typed it.
TEST_F(OptionsTest, PasswordChangeIsStoredLoggedAndProtectsTheFile) {
    InstallExampleSchedule();
    auto app = Start();
    const std::string file = app->Document()->ScheduleFile();
    ASSERT_NE(ReadFileText(file).find("Stretch and drink water"), std::string::npos);
    OptionsDialog dialog(*app);
    AnswerPasswordDialog({{"newPassword", "abc"},
                          {"confirmPassword", "abd"},
                          {"ok", ""},
                          {"confirmPassword", "abc"},
                          {"ok", ""}});
    Find<QAbstractButton>(&dialog, "passwordProtectedCheck")->click();
    EXPECT_EQ(m_messageBox.LastCall().text, LoadMessage(IDS_ERROR_SECURITY_TWO_NEW_PWD_NOT_MATCH));
    EXPECT_TRUE(Find<QAbstractButton>(&dialog, "passwordProtectedCheck")->isChecked());
    EXPECT_FALSE(app->Password().IsSet());  // nothing before OK
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(app->Password().Password(), NormalizePassword("abc"));
    EXPECT_EQ(m_operations.events, std::vector<EventKind>{EventKind::passwordChanged});
    EXPECT_TRUE(fs::exists(app->GetLocations().PasswordFilePath()));

    const std::string characters = "a Z~!9{q|`7@xY_;";
    std::string previous = "abc";
    for (std::size_t length = 1; length <= kPasswordMaxLength; ++length) {
        const std::string typed = characters.substr(0, length);
        SCOPED_TRACE(typed);
        OptionsDialog change(*app);
        AnswerPasswordDialog(
            {{"originalPassword", previous}, {"newPassword", typed}, {"confirmPassword", typed}, {"ok", ""}});
        Find<QAbstractButton>(&change, "changePasswordButton")->click();
        ASSERT_TRUE(change.Apply());
        ASSERT_EQ(ReadFileText(file).find("Stretch and drink water"), std::string::npos);
        const CliOutput listed = RunCli({"list", file, "--password", typed, "--now", "2026-12-07 12:00:00"});
        EXPECT_EQ(listed.status, cli::kExitOk) << listed.err;
        EXPECT_NE(listed.out.find("Stretch and drink water"), std::string::npos);
        previous = typed;
    }

    // Removing it asks the password in force and makes the file plain again.
    OptionsDialog removal(*app);
    AnswerPasswordDialog(
        {{"originalPassword", "abx"}, {"ok", ""}, {"originalPassword", previous}, {"ok", ""}});
    Find<QAbstractButton>(&removal, "passwordProtectedCheck")->click();
    EXPECT_EQ(m_messageBox.LastCall().text, LoadMessage(IDS_ERROR_SECURITY_ORIGINAL_PWD_INCORRECT));
    ASSERT_TRUE(removal.Apply());
    EXPECT_FALSE(app->Password().IsSet());
    EXPECT_EQ(m_operations.events.size(), kPasswordMaxLength + 2);
    EXPECT_NE(ReadFileText(file).find("Stretch and drink water"), std::string::npos);
}

TEST_F(OptionsTest, UserDataDirectoryIsRefusedOrMovedWithItsData) {
    InstallExampleSchedule();
    auto app = Start();
    const size_t tasks = app->Document()->Tasks().size();
    OptionsDialog dialog(*app);
    auto* folder = Find<QLineEdit>(&dialog, "userDataDirectoryEdit");
    folder->setText("relative/folder");
    EXPECT_FALSE(dialog.Apply());
    EXPECT_NE(m_messageBox.LastCall().text.find("Changes to User Data Directory were not saved"),
              std::string::npos);
    EXPECT_EQ(app->UserData().Path(), DataFolder());

    const std::string moved = m_home.File("Documents/Moved");
    folder->setText(QString::fromStdString("  " + moved + " "));
    m_messageBox.AnswerNext(IDYES);
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(app->UserData().Path(), moved);
    EXPECT_EQ(app->Document()->ScheduleFile(), moved + "/schedule.rws");
    EXPECT_EQ(app->Document()->Tasks().size(), tasks);
    EXPECT_TRUE(fs::exists(DataFolder() + "/schedule.rws"));  // the old data stays
}

// Moving the data onto a folder that holds a schedule of its own asks which list to keep and
// keeps the other one; Cancel leaves everything as it was.
TEST_F(OptionsTest, MovingOntoAnotherScheduleAsksWhichListToKeep) {
    InstallExampleSchedule();
    auto app = Start();
    const std::string ours = ReadFileText(app->Document()->ScheduleFile());
    std::string theirs = ours;
    theirs.replace(theirs.find("Stretch and drink water"), 23, "Their own list of tasks");
    struct Case {
        const char* folder;
        int answer;
        bool keepsOurs;
    };
    for (const Case& c : {Case{"Documents/Cancelled", IDCANCEL, false}, Case{"Documents/Ours", IDYES, true},
                          Case{"Documents/Theirs", IDNO, false}}) {
        SCOPED_TRACE(c.folder);
        const std::string folder = m_home.File(c.folder);
        const std::string previous = app->UserData().Path();
        fs::create_directories(folder);
        WriteFileText(folder + "/schedule.rws", theirs);
        OptionsDialog dialog(*app);
        Find<QLineEdit>(&dialog, "userDataDirectoryEdit")->setText(QString::fromStdString(folder));
        m_messageBox.AnswerNext(IDYES);  // copy the data
        m_messageBox.AnswerNext(c.answer);
        const size_t calls = m_messageBox.CallCount();
        EXPECT_EQ(dialog.Apply(), c.answer != IDCANCEL);
        ASSERT_EQ(m_messageBox.CallCount(), calls + 2) << "the question which list to keep";
        EXPECT_NE(m_messageBox.LastCall().text.find(folder), std::string::npos);
        if (c.answer == IDCANCEL) {
            EXPECT_EQ(app->UserData().Path(), previous);
            EXPECT_EQ(ReadFileText(folder + "/schedule.rws"), theirs);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
            continue;
        }
        EXPECT_EQ(app->UserData().Path(), folder);
        EXPECT_EQ(ReadFileText(folder + "/schedule.rws"), c.keepsOurs ? ours : theirs);
        EXPECT_EQ(ReadFileText(previous + "/schedule.rws"), ours) << "the old folder keeps its list";
        if (c.keepsOurs) {
            EXPECT_EQ(ReadFileText(folder + "/schedule.rws.kept"), theirs) << "their list is kept aside";
            EXPECT_NE(m_messageBox.LastCall().text.find(folder + "/schedule.rws.kept"), std::string::npos);
        }
        const std::string title = c.keepsOurs ? "Stretch and drink water" : "Their own list of tasks";
        bool loaded = false;
        for (const TaskRecord& task : app->Document()->Tasks()) loaded = loaded || task.title == title;
        EXPECT_TRUE(loaded) << "the list kept is the list loaded";
    }
}

}  // namespace
}  // namespace tidewell::testing
