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

TEST(SettingsTextReading, LinesBlocksAndLayout) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
    };
    const Case cases[] = {
        {"final CR LF", "[S]\r\na = 1\r\n", {"[S]", "a = 1"}},
        {"mixed line ends", "[S]\r\na = 1\nb = 2\r\nc = 3", {"[S]", "a = 1", "b = 2", "c = 3"}},
        {"bare CR is no line end", "a = x\ry\r\n", {"a = x\ry"}},
        {"one empty line before later sections",
         "[A]\r\n[B]\r\n\r\n\r\n[C]\r\n",
         {"[A]", "", "[B]", "", "[C]"}},
        {"trailing comment block set apart",
         "[A]\r\na = 1\r\n;c1\r\n;c2\r\n",
         {"[A]", "a = 1", "", ";c1", ";c2"}},
        {"lines with = are not sections", "[A]\r\n[x=y]\r\n", {"[A]", "[x=y]"}},
        {"indentation goes", "  ;h  \r\n\t[S]\r\n   k = v  \r\n", {";h", "", "[S]", "k = v"}},
        {"the block suffix alone is a plain line", "[S]\r\n = {{Block}}\r\n", {"[S]", "= {{Block}}"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Loaded(c.text).Lines(), c.expected) << c.name;
    }
}

TEST(SettingsTextReading, BlocksAreAssembled) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;  // value of key k in [S]
    };
    const Case cases[] = {
        {"two lines", "[S]\r\nk = {{Block}}\r\n<B Start>\r\none\r\ntwo\r\n<B End>\r\n", "one\r\ntwo"},
        {"escapes undone", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na <<b>>\r\n>><<\r\n<B End>\r\n",
         "a <b>\r\n><"},
        {"block open at end of file", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na\r\nb", "a\r\nb"},
        {"no start marker", "[S]\r\nk = {{Block}}\r\na\r\nb\r\n<B End>\r\n", "a\r\nb"},
        {"header lines inside stay content",
         "[S]\r\nk = {{Block}}\r\n<B Start>\r\nx = {{Block}}\r\n[T]\r\n<B End>\r\n", "x = {{Block}}\r\n[T]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(Loaded(c.text), "S", "k"), c.expected) << c.name;
    }
    // Only the content of a block was escaped; its key keeps its text.
    EXPECT_EQ(Read(Loaded("[S]\r\na<<b = {{Block}}\r\n<B Start>\r\n<<1>>\r\n<B End>\r\n"), "S", "a<<b"),
              "<1>");
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

TEST(SettingsTextHeader, SetGetRemove) {
    SettingsText doc = Loaded("\r\n; old 1\r\n\r\n; old 2\r\n[Info]\r\nInfo = x\r\n;c\r\n");
    std::string header;
    ASSERT_TRUE(doc.GetHeader(header));
    EXPECT_EQ(header, " old 1\r\n old 2\r\n");

    doc.SetHeader("Verimont Tidewell 2.5 configuration file\r\nx = {{Block}}");
    EXPECT_EQ(doc.Lines(), (Lines{";Verimont Tidewell 2.5 configuration file", ";x = {{Block}}", "", "[Info]",
                                  "Info = x", "", ";c"}));
    const SettingsText reloaded = Loaded(doc.SaveToString());
    EXPECT_EQ(reloaded.Lines(), doc.Lines());
    ASSERT_TRUE(reloaded.GetHeader(header));
    EXPECT_EQ(header, "Verimont Tidewell 2.5 configuration file\r\nx = {{Block}}\r\n");

    doc.RemoveHeader();
    EXPECT_EQ(doc.Lines(), (Lines{"[Info]", "Info = x", "", ";c"}));
    EXPECT_FALSE(doc.GetHeader(header));

    std::string sixty;
    for (int i = 1; i <= 60; ++i) {
        sixty += "line " + std::to_string(i) + "\r\n";
    }
    doc.SetHeader(sixty);
    ASSERT_TRUE(doc.GetHeader(header));
    EXPECT_EQ(header, sixty.substr(0, sixty.find("line 51")));  // the first fifty lines
}

}  // namespace
}  // namespace tidewell
