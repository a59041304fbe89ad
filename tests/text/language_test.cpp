#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/font_charset.h"
#include "text/language.h"

namespace tidewell {
namespace {

class EmptyShellFile : public LanguageShellFile {
public:
    std::optional<std::string> Value(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
};

// Shell folders as listed from the Language folder; folders in `unreadable` cannot be opened.
class FakeShellSource : public LanguageShellSource {
public:
    std::vector<LanguageShellFolder> folders;
    std::vector<std::string> unreadable;
    mutable std::vector<std::string> opened;

    std::vector<LanguageShellFolder> ShellFolders() const override { return folders; }
    std::shared_ptr<const LanguageShellFile> OpenShellFile(const std::string& folder) const override {
        opened.push_back(folder);
        for (const std::string& bad : unreadable)
            if (bad == folder) return nullptr;
        return std::make_shared<EmptyShellFile>();
    }
};

TEST(LanguageChoice, FromSettingThenSystemLanguage) {
    struct Case {
        const char* note;
        std::optional<int32_t> setting;
        int32_t system;
        int32_t lcid;
        std::size_t index;
        const char* folder;
        bool shells = true;
    };
    const Case cases[] = {
        {"no setting, English system", std::nullopt, 1033, 1033, 0, "/p/Language/0409"},
        {"no setting, Chinese system", std::nullopt, 2052, 2052, 1, "/p/Language/0804"},
        {"setting wins over the system", 1033, 2052, 1033, 0, "/p/Language/0409"},
        {"0 means 1033", 0, 2052, 1033, 0, "/p/Language/0409"},
        {"a shell language keeps its folder", 0x0407, 1033, 1031, 2, "/p/Language/de"},
        {"unknown identifier: first entry", 0x0411, 2052, 1033, 0, "/p/Language/0409"},
        {"unreadable shell file falls back to 1033", 0x040C, 1033, 1033, 0, "/p/Language/0409"},
        {"negative identifier: first entry", -5, 1033, 1033, 0, "/p/Language/0409"},
        {"identifier above four digits", 0x10407, 1033, 1033, 0, "/p/Language/0409"},
        {"a shell identifier without shell source", 0x0407, 1033, 1033, 0, "/p/Language/0409", false},
    };
    for (const Case& c : cases) {
        FakeShellSource shells;
        shells.folders = {
            {"/p/Language/de", "Deutsch", "0x0407"},
            {"/p/Language/fr", "Français", "0x040C"},
            {"/p/Language/zh", "中文", "0x0804"},  // listed after the built-in Chinese, never chosen
            {"/p/Language/zero", "Zero", "0"},     // counts as 0409, behind the built-in English
        };
        shells.unreadable = {"/p/Language/fr"};
        LanguageChoiceInput input;
        input.programDir = "/p/";
        input.settingLcid = c.setting;
        input.systemLcid = c.system;
        input.shells = c.shells ? &shells : nullptr;
        input.chineseEdition = false;
        const LanguageChoice choice = ChooseLanguage(input);
        EXPECT_EQ(choice.lcid, c.lcid) << c.note;
        EXPECT_EQ(choice.chosenIndex, c.index) << c.note;
        EXPECT_EQ(choice.languageFolder, c.folder) << c.note;
        EXPECT_EQ(choice.shellFile != nullptr, c.lcid == 1031) << c.note;
        EXPECT_EQ(choice.fontCharSet, FontCharSetFor(c.lcid)) << c.note;
        // Only a shell language opens its file.
        EXPECT_EQ(!shells.opened.empty(), c.shells && (c.setting == 0x0407 || c.setting == 0x040C)) << c.note;
    }
}

}  // namespace
}  // namespace tidewell
