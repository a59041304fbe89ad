#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
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
            if (bad == folder) {
                return nullptr;
            }
        }
        return std::make_shared<EmptyShellFile>();
    }
};

std::vector<std::string> Names(const std::vector<LanguageEntry>& list) {
    std::vector<std::string> names;
    for (const LanguageEntry& entry : list) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(LanguageList, BuiltInLanguagesComeFirst) {
    const std::vector<LanguageEntry> list = BuildLanguageList(nullptr);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "English");
    EXPECT_EQ(list[0].lcidHex, "0409");
    EXPECT_EQ(list[0].folder, "");
    EXPECT_EQ(list[1].name, "Simplified Chinese (简体中文)");
    EXPECT_EQ(list[1].lcidHex, "0804");
}

TEST(LanguageList, RepeatedNamesGetACounter) {
    FakeShellSource shells;
    shells.folders = {
        {"/p/Language/a", "English", "0x0809"},    {"/p/Language/b", "Deutsch", "0x0407"},
        {"/p/Language/c", "English", "0x0c09"},    {"/p/Language/d", "Deutsch", "0x0807"},
        {"/p/Language/e", "English(2)", "0x1009"}, {"/p/Language/f", "", "0x040c"},  // no name: not offered
    };
    const std::vector<LanguageEntry> list = BuildLanguageList(&shells);
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"English", "Simplified Chinese (简体中文)", "English(2)", "Deutsch",
                                        "English(3)", "Deutsch(2)", "English(2)(2)"}));
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
    for (const Case& c : cases) {
        EXPECT_EQ(NormalizeLcidHex(c.text), c.expected) << '"' << c.text << '"';
    }
}

struct ChoiceCase {
    const char* note;
    std::optional<int32_t> setting;
    int32_t system;
    int32_t expectedLcid;
    std::size_t expectedIndex;
    bool expectShellFile;
};

class LanguageChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoiceTest, ChoosesFromSettingAndSystemLanguage) {
    const ChoiceCase& c = GetParam();
    FakeShellSource shells;
    shells.folders = {
        {"/p/Language/de", "Deutsch", "0x0407"},
        {"/p/Language/fr", "Français", "0x040C"},
        {"/p/Language/zh", "中文", "0x0804"},  // listed after the built-in Chinese, never chosen
        {"/p/Language/zero", "Zero", "0"},     // counts as 0409, behind the built-in English
    };
    shells.unreadable = {"/p/Language/fr"};
    LanguageChoiceInput input;
    input.programDir = "/p";
    input.settingLcid = c.setting;
    input.systemLcid = c.system;
    input.shells = &shells;
    input.chineseEdition = false;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, c.expectedLcid);
    EXPECT_EQ(choice.chosenIndex, c.expectedIndex);
    EXPECT_EQ(choice.shellFile != nullptr, c.expectShellFile);
    EXPECT_EQ(choice.languages.size(), 6u);
    EXPECT_EQ(choice.fontCharSet, FontCharSetFor(c.expectedLcid));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageChoiceTest,
    ::testing::Values(ChoiceCase{"no setting, English system", std::nullopt, 1033, 1033, 0, false},
                      ChoiceCase{"no setting, Chinese system", std::nullopt, 2052, 2052, 1, false},
                      ChoiceCase{"setting wins over the system", 1033, 2052, 1033, 0, false},
                      ChoiceCase{"setting Chinese", 2052, 1033, 2052, 1, false},
                      ChoiceCase{"0 means 1033", 0, 2052, 1033, 0, false},
                      ChoiceCase{"a shell language", 0x0407, 1033, 1031, 2, true},
                      ChoiceCase{"unknown identifier: first entry", 0x0411, 2052, 1033, 0, false},
                      ChoiceCase{"unreadable shell file falls back to 1033", 0x040C, 1033, 1033, 0, false},
                      ChoiceCase{"negative identifier: first entry", -5, 1033, 1033, 0, false},
                      ChoiceCase{"identifier above four digits: first entry", 0x10407, 1033, 1033, 0, false}),
    [](const ::testing::TestParamInfo<ChoiceCase>& param) { return "Case" + std::to_string(param.index); });

TEST(LanguageChoice, ShellLanguageKeepsItsFolder) {
    FakeShellSource shells;
    shells.folders = {{"/p/Language/de", "Deutsch", "0x0407"}};
    LanguageChoiceInput input;
    input.programDir = "/p";
    input.settingLcid = 0x0407;
    input.shells = &shells;
    input.chineseEdition = false;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, 1031);
    EXPECT_EQ(choice.languageFolder, "/p/Language/de");
    EXPECT_EQ(shells.opened, std::vector<std::string>{"/p/Language/de"});
}

TEST(LanguageChoice, BuiltInLanguagesOpenNoShellFile) {
    FakeShellSource shells;
    shells.folders = {{"/p/Language/de", "Deutsch", "0x0407"}};
    LanguageChoiceInput input;
    input.programDir = "/p/";
    input.settingLcid = 2052;
    input.shells = &shells;
    input.chineseEdition = false;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, 2052);
    EXPECT_EQ(choice.languageFolder, "/p/Language/0804");
    EXPECT_TRUE(shells.opened.empty());
}

TEST(LanguageChoice, ShellIdentifierWithoutShellFileFallsBackToEnglish) {
    // A language set directly without any shell source.
    LanguageChoiceInput input;
    input.programDir = "/p";
    input.settingLcid = 0x0407;
    input.chineseEdition = false;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, 1033);
    EXPECT_EQ(choice.shellFile, nullptr);
    EXPECT_EQ(choice.languageFolder, "/p/Language/0409");
}

TEST(LanguageChoice, ChineseEditionIsFixed) {
    FakeShellSource shells;
    shells.folders = {{"/p/Language/de", "Deutsch", "0x0407"}};
    LanguageChoiceInput input;
    input.programDir = "/opt/tidewell";
    input.settingLcid = 0x0407;
    input.systemLcid = 1033;
    input.shells = &shells;
    input.chineseEdition = true;
    const LanguageChoice choice = ChooseLanguage(input);
    EXPECT_EQ(choice.lcid, 2052);
    EXPECT_EQ(choice.languageFolder, "/opt/tidewell/Language/0804");
    EXPECT_EQ(choice.fontCharSet, kGb2312CharSet);
    EXPECT_TRUE(choice.languages.empty());  // no language menu
    EXPECT_EQ(choice.shellFile, nullptr);
    EXPECT_TRUE(shells.opened.empty());
}

TEST(LanguageState, SetAndResetLanguage) {
    ResetLanguage();
    LanguageChoiceInput input;
    input.programDir = "/p";
    input.chineseEdition = true;
    SetLanguage(ChooseLanguage(input));
    const LanguageState state = CurrentLanguage();
    EXPECT_EQ(state.lcid, 2052);
    EXPECT_EQ(state.languageFolder, "/p/Language/0804");
    EXPECT_EQ(state.fontCharSet, kGb2312CharSet);
    ResetLanguage();
    EXPECT_EQ(CurrentLcid(), kLcidNotChosen);
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "Never");
}

TEST(SystemLocale, ChineseLocalesGive2052) {
    struct Case {
        const char* locale;
        int32_t expected;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 2052}, {"zh_CN", 2052},
        {"zh_TW.Big5", 2052},  {"zh_HK", 2052},
        {"zh", 2052},          {"zh.GBK", 2052},
        {"zh@pinyin", 2052},   {"zh-Hans", 2052},
        {"ZH_cn", 2052},       {"en_US.UTF-8", 1033},
        {"de_DE", 1033},       {"C", 1033},
        {"POSIX", 1033},       {"", 1033},
        {"z", 1033},           {"zhx", 1033},
        {"ja_JP.UTF-8", 1033}, {"C.UTF-8", 1033},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageIdFromLocale(c.locale), c.expected) << '"' << c.locale << '"';
    }
}

// Sets environment variables for one test and restores them afterwards.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::map<std::string, std::optional<std::string>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
            Apply(name, value);
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            Apply(name, value);
        }
    }

private:
    static void Apply(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    std::map<std::string, std::optional<std::string>> m_saved;
};

TEST(SystemLocale, MessagesCategoryDecides) {
    {
        ScopedEnvironment env(
            {{"LC_ALL", std::nullopt}, {"LC_MESSAGES", std::nullopt}, {"LANG", "zh_CN.UTF-8"}});
        EXPECT_EQ(SystemLanguageId(), 2052);
    }
    {
        ScopedEnvironment env(
            {{"LC_ALL", std::nullopt}, {"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}});
        EXPECT_EQ(SystemLanguageId(), 1033);
    }
    {
        ScopedEnvironment env({{"LC_ALL", "zh_TW.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "C"}});
        EXPECT_EQ(SystemLanguageId(), 2052);
    }
    {
        ScopedEnvironment env({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "zh_SG"}});
        EXPECT_EQ(SystemLanguageId(), 2052);
    }
    {
        ScopedEnvironment env(
            {{"LC_ALL", std::nullopt}, {"LC_MESSAGES", std::nullopt}, {"LANG", std::nullopt}});
        EXPECT_EQ(MessagesLocaleFromEnvironment(), "");
        EXPECT_EQ(SystemLanguageId(), 1033);
    }
}

TEST(FontCharSet, TableGivesCodePagesAndCharacterSet) {
    const LocaleCodePages* chinese = FindLocaleCodePages(2052);
    ASSERT_NE(chinese, nullptr);
    EXPECT_EQ(chinese->ansiCodePage, 936);
    EXPECT_EQ(chinese->macCodePage, 0);
    EXPECT_EQ(chinese->oemCodePage, 936);
    EXPECT_EQ(chinese->charSet, 134);
    const LocaleCodePages* english = FindLocaleCodePages(1033);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(english->ansiCodePage, 1252);
    EXPECT_EQ(english->macCodePage, 10000);
    EXPECT_EQ(english->oemCodePage, 437);
    EXPECT_EQ(english->charSet, 0);

    struct Case {
        int32_t lcid;
        int charSet;
    };
    const Case cases[] = {{2052, kGb2312CharSet},   {1033, kAnsiCharSet},    {1028, kChineseBig5CharSet},
                          {1041, kShiftJisCharSet}, {1049, kRussianCharSet}, {0, kDefaultCharSet},
                          {9999, kDefaultCharSet}};
    for (const Case& c : cases) {
        EXPECT_EQ(FontCharSetFor(c.lcid), c.charSet) << c.lcid;
    }
}

TEST(FontCharSet, EachLocaleOnce) {
    std::set<int32_t> seen;
    for (const LocaleCodePages& row : LocaleCodePageTable()) {
        EXPECT_TRUE(seen.insert(row.lcid).second) << row.lcid;
    }
}

}  // namespace
}  // namespace tidewell
