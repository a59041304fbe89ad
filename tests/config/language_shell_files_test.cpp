#include "config/language_shell_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "text/language.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

class LanguageShellFilesTest : public ::testing::Test {
protected:
    static void Shell(const std::string& folder, const std::string& text) {
        testing::WriteFileText(folder + "/sch.ini", text);
    }
    static std::string Info(const std::string& language, const std::string& lcid) {
        return "[Info]\r\nShell_Language = " + language + "\r\nShell_LCID = " + lcid + "\r\n";
    }

    testing::TempDir m_temp;
    std::string m_root = m_temp.Path();
    std::string m_program = m_root + "/bin/Language";
};

TEST_F(LanguageShellFilesTest, ShellFileAnswersByCategoryAndRowName) {
    Shell(m_program + "/0407",
          Info("Deutsch", "0407") +
              "\r\n[Error]\r\nIDS_ERROR_FILE_READONLY = Die Datei \"#1\" ist schreibgesch\xC3\xBCtzt.\r\n"
              "IDS_ERROR_SECURITY_INVALID_PASSWORD = {{Block}}\r\n<B Start>\r\nZeile 1\r\nZeile 2\r\n<B "
              "End>\r\n");
    const LanguageShellFiles shells({m_program});
    const auto file = shells.OpenShellFile(m_program + "/0407");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Value("Error", "IDS_ERROR_FILE_READONLY"),
              "Die Datei \"#1\" ist schreibgesch\xC3\xBCtzt.");
    EXPECT_EQ(file->Value("Error", "IDS_ERROR_SECURITY_INVALID_PASSWORD"), "Zeile 1\r\nZeile 2");
    EXPECT_EQ(file->Value("Error", "IDS_ERROR_FILE_FILE_NOT_FOUND"), std::nullopt);
    EXPECT_EQ(shells.OpenShellFile(m_program + "/missing"), nullptr);

    // Chosen through the settings value, the shell's texts are the ones looked up.
    const LanguageChoice choice = ChooseLanguage({m_root + "/bin", 0x0407, kLcidEnglish, &shells, false});
    ASSERT_EQ(choice.lcid, 0x0407);
    ASSERT_NE(choice.shellFile, nullptr);
    SetLanguage(choice);
    EXPECT_EQ(LoadMessage(IDS_ERROR_FILE_READONLY), "Die Datei \"#1\" ist schreibgesch\xC3\xBCtzt.");
    EXPECT_EQ(LoadMessage(IDS_ERROR_FILE_FILE_NOT_FOUND),
              LoadMessageIn(MessageLanguage::English, IDS_ERROR_FILE_FILE_NOT_FOUND));
    EXPECT_EQ(LoadMessage(Shell_Translator), "") << "the rows of [Info] have no English default";
    ResetLanguage();
}

TEST_F(LanguageShellFilesTest, ShellFileTooLargeIsNotRead) {
    Shell(m_program + "/big", Info("Big", "0407"));
    fs::resize_file(m_program + "/big/sch.ini", kShellFileLimit + 1);
    const LanguageShellFiles shells({m_program});
    EXPECT_TRUE(shells.ShellFolders().empty());
    EXPECT_EQ(shells.OpenShellFile(m_program + "/big"), nullptr);
}

}  // namespace
}  // namespace tidewell
