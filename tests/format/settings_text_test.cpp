#include "format/settings_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tidewell {
namespace {

using Lines = std::vector<std::string>;

SettingsText Loaded(std::string_view text) {
    SettingsText doc;
    doc.LoadFromString(text);
    return doc;
}

std::string Read(const SettingsText& doc, std::string_view section, std::string_view key) {
    std::string value;
    doc.ReadString(section, key, "<default>", value);
    return value;
}

TEST(SettingsTextReading, TypedValues) {
    struct Case {
        const char* stored;
        int number;
        bool flag;  // true when the value holds lower-case "true" anywhere
    };
    const Case cases[] = {
        {"12abc", 12, false},
        {"-7", -7, false},
        {"- 3", 0, false},
        {"99999999999999", 2147483647, false},  // saturates instead of overflowing
        {"-99999999999999", -2147483647 - 1, false},
        {"true", 0, true},
        {"True", 0, false},
        {"is true!", 0, true},
    };
    for (const Case& c : cases) {
        SettingsText doc;
        doc.WriteString("S", "v", c.stored);
        int number = -1;
        bool flag = !c.flag;
        EXPECT_TRUE(doc.ReadInt("S", "v", -1, number)) << c.stored;
        EXPECT_TRUE(doc.ReadBool("S", "v", !c.flag, flag)) << c.stored;
        EXPECT_EQ(number, c.number) << c.stored;
        EXPECT_EQ(flag, c.flag) << c.stored;
    }
}

TEST(SettingsTextWriting, EditsKeepTheLayout) {
    struct Case {
        const char* name;
        const char* text;
        std::function<void(SettingsText&)> edit;
        Lines expected;
    };
    const Case cases[] = {
        {"a key in a missing section appends an empty line, the section and the key",
         "[A]\r\nx = 1\r\n",
         [](SettingsText& d) { d.WriteString("B", "y", "2"); },
         {"[A]", "x = 1", "", "[B]", "y = 2"}},
        {"a new key goes before the empty line",
         "[A]\r\na = 1\r\n[B]\r\nb = 2\r\n",
         [](SettingsText& d) { d.WriteString("A", "late", "x"); },
         {"[A]", "a = 1", "late = x", "", "[B]", "b = 2"}},
        {"line breaks in keys become four blanks",
         "",
         [](SettingsText& d) {
             d.WriteString("S", "two\r\nlines", "v");
             d.WriteString("S", "bare\nfeed", "w");
         },
         {"[S]", "two    lines = v", "bare    feed = w"}},
        {"blank keys are refused",
         "",
         [](SettingsText& d) {
             d.WriteString("S", "", "v");
             d.WriteString("S", " \t", "a\r\nb");
         },
         {}},
        {"section names holding = or a line break are refused",
         "",
         [](SettingsText& d) {
             EXPECT_EQ(d.FindOrAddSection("a=b"), -1);
             EXPECT_FALSE(d.WriteString("x\r\ny", "k", "v"));
         },
         {}},
        {"sections are added once, trimmed",
         "",
         [](SettingsText& d) {
             d.FindOrAddSection("A");
             d.FindOrAddSection("  B  ");
             d.FindOrAddSection("B");
         },
         {"[A]", "", "[B]"}},
    };
    for (const Case& c : cases) {
        SettingsText doc = Loaded(c.text);
        c.edit(doc);
        EXPECT_EQ(doc.Lines(), c.expected) << c.name;
    }
}

TEST(SettingsTextWriting, WhatIsSavedReadsBackTheSame) {
    struct Case {
        const char* name;
        const char* value;
        const char* expected;  // as read back
        const char* disk;      // the saved bytes, when they matter
    };
    const Case cases[] = {
        {"a value holding a block end line", "first\r\n<B End>\r\nlast", "first\r\n<B End>\r\nlast",
         "[S]\r\nk = {{Block}}\r\n<B Start>\r\nfirst\r\n<<B End>>\r\nlast\r\n<B End>\r\n"},
        {"bare line feeds", "one\ntwo\r\nthree\n[S]", "one\r\ntwo\r\nthree\r\n[S]", nullptr},
        {"an empty value is missing once saved", "", "<default>", "[S]\r\nk =\r\n"},
    };
    for (const Case& c : cases) {
        SettingsText doc;
        doc.WriteString("S", "k", c.value);
        doc.WriteString("S", "after", "1");
        const std::string disk = doc.SaveToString();
        if (c.disk != nullptr) {
            SettingsText only;
            only.WriteString("S", "k", c.value);
            EXPECT_EQ(only.SaveToString(), c.disk) << c.name;
        }
        const SettingsText reloaded = Loaded(disk);
        EXPECT_EQ(Read(reloaded, "S", "k"), c.expected) << c.name;
        EXPECT_EQ(Read(reloaded, "S", "after"), "1") << c.name;
    }
    SettingsText doc;
    doc.WriteString("S", "a = b", "x\r\ny");
    EXPECT_EQ(Read(Loaded(doc.SaveToString()), "S", "a = b"), "x\r\ny");
}

}  // namespace
}  // namespace tidewell
