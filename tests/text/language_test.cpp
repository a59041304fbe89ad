#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "text/font_charset.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/system_locale.h"

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
        for (const std::string& bad : unreadable) {
            if (bad == folder) return nullptr;
        }
        return std::make_shared<EmptyShellFile>();
    }
};

TEST(LanguageList, BuiltInLanguagesFirstAndRepeatedNamesGetACounter) {
    FakeShellSource shells;
    shells.folders = {
        {"/p/Language/a", "English", "0x0809"},    {"/p/Language/b", "Deutsch", "0x0407"},
        {"/p/Language/c", "English", "0x0c09"},    {"/p/Language/d", "Deutsch", "0x0807"},
        {"/p/Language/e", "English(2)", "0x1009"}, {"/p/Language/f", "", "0x040c"},  // no name: not offered
    };
    const std::vector<LanguageEntry> list = BuildLanguageList(&shells);
    std::vector<std::string> names;
    for (const LanguageEntry& entry : list) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"English", "Simplified Chinese (简体中文)", "English(2)",
                                               "Deutsch", "English(3)", "Deutsch(2)", "English(2)(2)"}));
    EXPECT_EQ(list[1].lcidHex, "0804");
    EXPECT_EQ(list[2].folder, "/p/Language/a");
    EXPECT_EQ(list[2].lcidHex, "0809");
}

TEST(LanguageList, NormalizesShellIdentifiers) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"0x0407", "0407"},   {"0X0407", "0407"}, {"407", "0407"},     {"0407", "0407"},
        {" 0x0c09 ", "0C09"}, {"0", "0409"},      {"0x0", "0409"},     {"", "0409"},
        {"zz", "0409"},       {"0x", "0409"},     {"0x10000", "0409"}, {"0804", "0804"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeLcidHex(c.text), c.expected) << '"' << c.text << '"';
}

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

TEST(LanguageChoice, ChineseEditionIsFixedAndBecomesCurrent) {
    FakeShellSource shells;
    shells.folders = {{"/p/Language/de", "Deutsch", "0x0407"}};
    LanguageChoiceInput input;
    input.programDir = "/opt/tidewell";
    input.settingLcid = 0x0407;
    input.shells = &shells;
    input.chineseEdition = true;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, 2052);
    EXPECT_EQ(choice.languageFolder, "/opt/tidewell/Language/0804");
    EXPECT_EQ(choice.fontCharSet, kGb2312CharSet);
    EXPECT_TRUE(choice.languages.empty());  // no language menu
    EXPECT_TRUE(shells.opened.empty());
    SetLanguage(choice);
    EXPECT_EQ(CurrentLanguage().languageFolder, "/opt/tidewell/Language/0804");
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "从不");
    ResetLanguage();
    EXPECT_EQ(CurrentLcid(), kLcidNotChosen);
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "Never");
}

TEST(SystemLocale, ChineseLocalesGive2052) {
    const char* chinese[] = {"zh_CN.UTF-8", "zh_TW.Big5", "zh", "zh.GBK", "zh@pinyin", "zh-Hans", "ZH_cn"};
    const char* other[] = {"en_US.UTF-8", "C", "POSIX", "", "z", "zhx", "ja_JP.UTF-8", "C.UTF-8"};
    for (const char* locale : chinese) EXPECT_EQ(LanguageIdFromLocale(locale), 2052) << locale;
    for (const char* locale : other) EXPECT_EQ(LanguageIdFromLocale(locale), 1033) << locale;
}

TEST(SystemLocale, FirstSetMessagesVariableDecides) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    struct Case {
        const char* values[3];  // nullptr: unset
        int32_t expected;
    };
    const Case cases[] = {
        {{nullptr, nullptr, "zh_CN.UTF-8"}, 2052},   {{nullptr, "en_GB.UTF-8", "zh_CN.UTF-8"}, 1033},
        {{"zh_TW.UTF-8", "en_GB.UTF-8", "C"}, 2052}, {{"", "", "zh_SG"}, 2052},
        {{nullptr, nullptr, nullptr}, 1033},
    };
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(names[i])) saved[i] = value;
    }
    auto set = [&](int i, const char* value) { value ? setenv(names[i], value, 1) : unsetenv(names[i]); };
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i) set(i, c.values[i]);
        EXPECT_EQ(SystemLanguageId(), c.expected) << c.values[2];
    }
    for (int i = 0; i < 3; ++i) set(i, saved[i] ? saved[i]->c_str() : nullptr);
}

TEST(FontCharSet, EachLocaleOnceAndDefaultForOthers) {
    std::set<int32_t> seen;
    for (const LocaleCodePages& row : LocaleCodePageTable())
        EXPECT_TRUE(seen.insert(row.lcid).second) << row.lcid;
    EXPECT_EQ(FontCharSetFor(2052), kGb2312CharSet);
    EXPECT_EQ(FontCharSetFor(1033), kAnsiCharSet);
    EXPECT_EQ(FontCharSetFor(0), kDefaultCharSet);
    EXPECT_EQ(FontCharSetFor(9999), kDefaultCharSet);
}

}  // namespace
}  // namespace tidewell
