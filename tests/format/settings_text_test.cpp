#include "format/settings_text.h"

#include <gtest/gtest.h>

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

std::string Read(const SettingsText& doc, std::string_view section, std::string_view key,
                 std::string_view fallback = "<default>") {
    std::string value;
    doc.ReadString(section, key, fallback, value);
    return value;
}

// --- The listed edge cases ---------------------------------------------------------------------

TEST(SettingsTextEdgeCases, ValueHoldingBlockEndLineSurvivesSaveAndLoad) {
    SettingsText doc;
    const std::string value = "first\r\n<B End>\r\nlast";
    doc.WriteString("Task", "Comment", value);
    const std::string disk = doc.SaveToString();
    EXPECT_EQ(disk,
              "[Task]\r\nComment = {{Block}}\r\n<B Start>\r\nfirst\r\n<<B End>>\r\nlast\r\n"
              "<B End>\r\n");
    EXPECT_EQ(Read(Loaded(disk), "Task", "Comment"), value);
}

TEST(SettingsTextEdgeCases, OneLineValueWithAngleBracketsIsWrittenPlain) {
    SettingsText doc;
    doc.WriteString("Task", "Path", "<a> b");
    EXPECT_EQ(doc.SaveToString(), "[Task]\r\nPath = <a> b\r\n");
}

TEST(SettingsTextEdgeCases, KeyInMissingSectionAppendsEmptyLineSectionAndKey) {
    SettingsText doc = Loaded("[A]\r\nx = 1\r\n");
    doc.WriteString("B", "y", "2");
    EXPECT_EQ(doc.Lines(), (Lines{"[A]", "x = 1", "", "[B]", "y = 2"}));
}

TEST(SettingsTextEdgeCases, ExistingKeyIsReplacedInPlace) {
    SettingsText doc = Loaded("[A]\r\nx = 1\r\ny = 2\r\nz = 3\r\n");
    doc.WriteString("A", "y", "changed");
    EXPECT_EQ(doc.Lines(), (Lines{"[A]", "x = 1", "y = changed", "z = 3"}));
}

TEST(SettingsTextEdgeCases, HeaderOfSixtyLinesKeepsItsFirstFifty) {
    std::string header;
    for (int i = 1; i <= 60; ++i) {
        header += "line " + std::to_string(i) + "\r\n";
    }
    SettingsText doc;
    doc.SetHeader(header);
    std::string read;
    ASSERT_TRUE(doc.GetHeader(read));
    std::string expected;
    for (int i = 1; i <= 50; ++i) {
        expected += "line " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(read, expected);
}

TEST(SettingsTextEdgeCases, BooleanIsTrueOnlyWhenValueHoldsLowerCaseTrue) {
    struct Case {
        const char* stored;
        bool expected;
    };
    const Case cases[] = {
        {"true", true},   {"True", false}, {"TRUE", false},    {"untrue", true},
        {"false", false}, {"1", false},    {"is true!", true},
    };
    for (const Case& c : cases) {
        SettingsText doc;
        doc.WriteString("S", "flag", c.stored);
        bool value = !c.expected;
        EXPECT_TRUE(doc.ReadBool("S", "flag", !c.expected, value)) << c.stored;
        EXPECT_EQ(value, c.expected) << c.stored;
    }
}

TEST(SettingsTextEdgeCases, IntegerReadsLikeAtoi) {
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {
        {"12abc", 12},
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {"  \t9", 9},
        {"abc", 0},
        {"- 3", 0},
        {"3.9", 3},
        {"2147483647", 2147483647},
        {"99999999999999", 2147483647},  // saturates instead of overflowing
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        SettingsText doc;
        doc.WriteString("S", "n", c.stored);
        int value = -1;
        EXPECT_TRUE(doc.ReadInt("S", "n", -1, value)) << c.stored;
        EXPECT_EQ(value, c.expected) << c.stored;
    }
}

TEST(SettingsTextEdgeCases, BlankLinesAndIndentationDisappearAtNextSave) {
    SettingsText doc = Loaded(
        "  ; header  \r\n\r\n\r\n   [Info]\t\r\n\t Info = Job List   \r\n\r\n\r\n  key = v\r\n"
        "\r\n[Next]\r\n   a = 1\r\n");
    EXPECT_EQ(doc.SaveToString(),
              "; header\r\n\r\n[Info]\r\nInfo = Job List\r\nkey = v\r\n\r\n[Next]\r\na = 1\r\n");
}

// --- Reading -------------------------------------------------------------------------------------

TEST(SettingsTextReading, EveryLineOfAStringIsRead) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
    };
    const Case cases[] = {
        {"final CR LF", "[S]\r\na = 1\r\n", {"[S]", "a = 1"}},
        {"no final line end", "[S]\r\na = 1", {"[S]", "a = 1"}},
        {"LF only", "[S]\na = 1\nb = 2\n", {"[S]", "a = 1", "b = 2"}},
        {"mixed line ends", "[S]\r\na = 1\nb = 2\r\nc = 3", {"[S]", "a = 1", "b = 2", "c = 3"}},
        {"single line", "a = 1", {"a = 1"}},
        {"empty", "", {}},
        {"only line ends", "\r\n\n\r\n", {}},
        {"bare CR is no line end", "a = x\ry\r\n", {"a = x\ry"}},
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
        {"LF file", "[S]\nk = {{Block}}\n<B Start>\none\ntwo\n<B End>\n", "one\r\ntwo"},
        {"escapes undone", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na <<b>>\r\n>><<\r\n<B End>\r\n",
         "a <b>\r\n><"},
        {"inner blank line kept", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na\r\n\r\nb\r\n<B End>\r\n",
         "a\r\n\r\nb"},
        {"inner indentation kept", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na\r\n   b\r\n<B End>\r\n",
         "a\r\n   b"},
        {"block open at end of file", "[S]\r\nk = {{Block}}\r\n<B Start>\r\na\r\nb", "a\r\nb"},
        {"indented markers", "[S]\r\n  k = {{Block}}  \r\n  <B Start>\r\na\r\nb\r\n\t<B End>\r\n", "a\r\nb"},
        {"no start marker", "[S]\r\nk = {{Block}}\r\na\r\nb\r\n<B End>\r\n", "a\r\nb"},
        {"header lines inside stay content",
         "[S]\r\nk = {{Block}}\r\n<B Start>\r\nx = {{Block}}\r\n[T]\r\n<B End>\r\n", "x = {{Block}}\r\n[T]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(Loaded(c.text), "S", "k"), c.expected) << c.name;
    }
}

TEST(SettingsTextReading, KeyTextOfABlockIsNotUnescaped) {
    const SettingsText doc = Loaded("[S]\r\na<<b = {{Block}}\r\n<B Start>\r\n<<1>>\r\n2\r\n<B End>\r\n");
    EXPECT_EQ(Read(doc, "S", "a<<b"), "<1>\r\n2");
}

TEST(SettingsTextReading, BlockSuffixAloneIsAPlainLine) {
    EXPECT_EQ(Loaded("[S]\r\n = {{Block}}\r\na = 1\r\n").Lines(), (Lines{"[S]", "= {{Block}}", "a = 1"}));
}

TEST(SettingsTextReading, LongLinesAreReadWhole) {
    const std::string longValue(5000, 'x');
    const SettingsText doc = Loaded("[S]\r\nk = " + longValue + "\r\nnext = 1\r\n");
    EXPECT_EQ(Read(doc, "S", "k"), longValue);
    EXPECT_EQ(doc.Lines().size(), 3u);
}

TEST(SettingsTextReading, Utf8PassesThrough) {
    const std::string text = "[任务 1]\r\n标题 = 早上好 ü\r\n";
    const SettingsText doc = Loaded(text);
    EXPECT_EQ(Read(doc, "任务 1", "标题"), "早上好 ü");
    SettingsText copy = doc;
    EXPECT_EQ(copy.SaveToString(), text);
}

TEST(SettingsTextReading, SourceModeFollowsTheLastLoad) {
    SettingsText doc;
    doc.LoadFromString("a = 1");
    EXPECT_EQ(doc.SourceMode(), SettingsText::Source::String);
    EXPECT_EQ(static_cast<int>(doc.SourceMode()), 1);
    doc.LoadFromFile("/nonexistent-folder-for-settings/none.ini");
    EXPECT_EQ(doc.SourceMode(), SettingsText::Source::File);
    EXPECT_EQ(static_cast<int>(doc.SourceMode()), 0);
    EXPECT_TRUE(doc.Lines().empty());
}

// --- Normalizing ------------------------------------------------------------------------------

TEST(SettingsTextNormalize, LayoutRules) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
    };
    const Case cases[] = {
        {"no empty line before first section", "\r\n\r\n[A]\r\na = 1\r\n", {"[A]", "a = 1"}},
        {"one empty line before later sections",
         "[A]\r\n[B]\r\n\r\n\r\n[C]\r\n",
         {"[A]", "", "[B]", "", "[C]"}},
        {"trailing comment block set apart",
         "[A]\r\na = 1\r\n;c1\r\n;c2\r\n",
         {"[A]", "a = 1", "", ";c1", ";c2"}},
        {"only comments", ";c1\r\n\r\n;c2\r\n", {";c1", ";c2"}},
        {"comment inside section stays", "[A]\r\n;c\r\na = 1\r\n", {"[A]", ";c", "a = 1"}},
        {"lines with = are not sections", "[A]\r\n[x=y]\r\n", {"[A]", "[x=y]"}},
        {"empty brackets are a section", "a = 1\r\n[]\r\n", {"a = 1", "", "[]"}},
        {"empty value loses its blank", "[A]\r\nk = \r\n", {"[A]", "k ="}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Loaded(c.text).Lines(), c.expected) << c.name;
    }
}

// --- Sections and keys ---------------------------------------------------------------------------

TEST(SettingsTextLookup, FindSectionCountsLinesUpToEmptyOrSectionLine) {
    SettingsText doc = Loaded("[A]\r\na = 1\r\nb = 2\r\n\r\n[B]\r\n[C]\r\nc = 1\r\n");
    int count = -1;
    EXPECT_EQ(doc.FindSection("A", &count), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(doc.FindSection("B", &count), 4);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(doc.FindSection("C", &count), 6);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(doc.FindSection("D", &count), -1);
}

TEST(SettingsTextLookup, SectionNamesAreTrimmedAndCaseSensitive) {
    const SettingsText doc = Loaded("[Daily 1]\r\nk = v\r\n");
    EXPECT_EQ(doc.FindSection("  Daily 1\t"), 0);
    EXPECT_EQ(doc.FindSection("daily 1"), -1);
    EXPECT_EQ(doc.FindSection("Daily  1"), -1);
    EXPECT_EQ(Read(doc, " Daily 1 ", "k"), "v");
}

TEST(SettingsTextLookup, NamesThatCannotBeSectionsAreRefused) {
    SettingsText doc = Loaded("[a=b]\r\nk = v\r\n");
    for (const char* name : {"a=b", "x\r\ny", "x\ny"}) {
        EXPECT_EQ(doc.FindSection(name), -1) << name;
        EXPECT_EQ(doc.FindOrAddSection(name), -1) << name;
        EXPECT_FALSE(doc.WriteString(name, "k", "v")) << name;
        EXPECT_EQ(Read(doc, name, "k"), "<default>") << name;
    }
    EXPECT_EQ(doc.Lines(), (Lines{"[a=b]", "k = v"}));
}

TEST(SettingsTextLookup, FirstOfDuplicateSectionsAndKeysWins) {
    SettingsText doc = Loaded("[A]\r\nk = first\r\nk = second\r\n\r\n[A]\r\nk = third\r\nj = 1\r\n");
    EXPECT_EQ(Read(doc, "A", "k"), "first");
    EXPECT_EQ(Read(doc, "A", "j"), "<default>");  // only the first [A] is searched
    doc.WriteString("A", "k", "new");
    doc.WriteString("A", "j", "2");
    EXPECT_EQ(doc.Lines(), (Lines{"[A]", "k = new", "k = second", "j = 2", "", "[A]", "k = third", "j = 1"}));
}

TEST(SettingsTextLookup, KeyLookupStopsAtNextSectionNotAtEmptyLine) {
    SettingsText doc;
    doc.LoadFromString("[A]\r\na = 1\r\n[B]\r\nb = 2\r\n");
    doc.WriteString("A", "late", "x");  // inserted before the empty line of the layout
    EXPECT_EQ(doc.Lines(), (Lines{"[A]", "a = 1", "late = x", "", "[B]", "b = 2"}));
    EXPECT_EQ(Read(doc, "A", "b"), "<default>");
    EXPECT_EQ(doc.FindKey(1, "late"), 2);
    EXPECT_EQ(doc.FindKey(0, "b"), -1);
    EXPECT_EQ(doc.FindKey(4, "b"), -1);  // a start on a section line is already at its end
    EXPECT_EQ(doc.FindKey(5, "b"), 5);
    EXPECT_EQ(doc.FindKey(-1, "a"), -1);
    EXPECT_EQ(doc.FindKey(99, "a"), -1);
}

TEST(SettingsTextLookup, KeysMatchTheWholePrefixExactly) {
    const SettingsText doc = Loaded(
        "[S]\r\nTime = 1\r\nTime Zone = 2\r\nexpr = a = b\r\nempty =\r\nCase = 3\r\n"
        "x = = y\r\n");
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Time", "1"},         {"Time Zone", "2"},     {"Tim", "<default>"}, {"expr", "a = b"},
        {"expr = a", "b"},     {"empty", "<default>"},  // stored without its trailing blank
        {"case", "<default>"}, {"x", "= y"},           {"x =", "y"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(doc, "S", c.key), c.expected) << c.key;
    }
}

TEST(SettingsTextLookup, EmptyValueIsFoundUntilNormalized) {
    SettingsText doc;
    doc.WriteString("S", "k", "");
    std::string value = "x";
    EXPECT_TRUE(doc.ReadString("S", "k", "d", value));
    EXPECT_EQ(value, "");
    SettingsText reloaded = Loaded(doc.SaveToString());
    EXPECT_FALSE(reloaded.ReadString("S", "k", "d", value));
    EXPECT_EQ(value, "d");
}

TEST(SettingsTextLookup, LineBreaksInKeysBecomeFourBlanks) {
    SettingsText doc;
    doc.WriteString("S", "two\r\nlines", "v");
    doc.WriteString("S", "bare\nfeed", "w");
    EXPECT_EQ(doc.Lines(), (Lines{"[S]", "two    lines = v", "bare    feed = w"}));
    EXPECT_EQ(Read(doc, "S", "two\r\nlines"), "v");
    EXPECT_EQ(Read(doc, "S", "two    lines"), "v");
}

TEST(SettingsTextLookup, BlankKeysAreRefused) {
    SettingsText doc;
    EXPECT_FALSE(doc.WriteString("S", "", "v"));
    EXPECT_FALSE(doc.WriteString("S", " \t", "a\r\nb"));
    EXPECT_TRUE(doc.Lines().empty());
}

TEST(SettingsTextLookup, TypedWritesUseTheirForms) {
    SettingsText doc;
    doc.WriteInt("S", "n", -42);
    doc.WriteBool("S", "yes", true);
    doc.WriteBool("S", "no", false);
    EXPECT_EQ(doc.Lines(), (Lines{"[S]", "n = -42", "yes = true", "no = false"}));
}

TEST(SettingsTextLookup, MissingSectionOrKeyGivesDefaults) {
    const SettingsText doc = Loaded("[S]\r\nk = 5\r\n");
    int number = 0;
    bool flag = false;
    std::string text;
    EXPECT_FALSE(doc.ReadInt("T", "k", 17, number));
    EXPECT_EQ(number, 17);
    EXPECT_FALSE(doc.ReadBool("S", "missing", true, flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(doc.ReadString("S", "K", "dflt", text));
    EXPECT_EQ(text, "dflt");
    EXPECT_FALSE(SettingsText().ReadString("S", "k", "d", text));
}

TEST(SettingsTextLookup, FindOrAddSectionDoesNotDoubleEmptyLines) {
    SettingsText doc;
    int count = -1;
    EXPECT_EQ(doc.FindOrAddSection("A", &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(doc.FindOrAddSection("B", &count), 2);
    EXPECT_EQ(doc.FindOrAddSection("  C  ", &count), 4);
    EXPECT_EQ(doc.FindOrAddSection("C", &count), 4);
    EXPECT_EQ(doc.Lines(), (Lines{"[A]", "", "[B]", "", "[C]"}));
}

// --- Writing -------------------------------------------------------------------------------------

TEST(SettingsTextWriting, LinesThatWouldReadAsBlockHeadersGoToDiskAsBlocks) {
    SettingsText doc;
    doc.SetHeader("made by x = {{Block}}");
    doc.WriteString("S", "k", "{{Block}}");
    doc.WriteString("S", "after", "1");
    const SettingsText reloaded = Loaded(doc.SaveToString());
    EXPECT_EQ(reloaded.Lines(), doc.Lines());
    EXPECT_EQ(Read(reloaded, "S", "k"), "{{Block}}");
    EXPECT_EQ(Read(reloaded, "S", "after"), "1");
    std::string header;
    reloaded.GetHeader(header);
    EXPECT_EQ(header, "made by x = {{Block}}\r\n");
}

TEST(SettingsTextWriting, BareLineFeedsInValuesBecomeBlockLines) {
    SettingsText doc;
    doc.WriteString("S", "k", "one\ntwo\r\nthree\n[S]");
    EXPECT_EQ(Read(doc, "S", "k"), "one\r\ntwo\r\nthree\r\n[S]");
    const SettingsText reloaded = Loaded(doc.SaveToString());
    EXPECT_EQ(Read(reloaded, "S", "k"), "one\r\ntwo\r\nthree\r\n[S]");
    EXPECT_EQ(reloaded.Lines().size(), 2u);
}

TEST(SettingsTextWriting, KeyHoldingSeparatorRoundTripsAsBlock) {
    SettingsText doc;
    doc.WriteString("S", "a = b", "x\r\ny");
    const SettingsText reloaded = Loaded(doc.SaveToString());
    EXPECT_EQ(reloaded.Lines(), doc.Lines());
    EXPECT_EQ(Read(reloaded, "S", "a = b"), "x\r\ny");
}

// --- Header ----------------------------------------------------------------------------------

TEST(SettingsTextHeader, SetGetRemove) {
    SettingsText doc = Loaded("; old 1\r\n; old 2\r\n[Info]\r\nInfo = x\r\n");
    std::string header;
    ASSERT_TRUE(doc.GetHeader(header));
    EXPECT_EQ(header, " old 1\r\n old 2\r\n");

    doc.SetHeader("Verimont Tidewell 2.5 configuration file\r\nPlease don't edit this file");
    EXPECT_EQ(doc.Lines(), (Lines{";Verimont Tidewell 2.5 configuration file", ";Please don't edit this file",
                                  "", "[Info]", "Info = x"}));
    EXPECT_EQ(doc.SaveToString(),
              ";Verimont Tidewell 2.5 configuration file\r\n;Please don't edit this file\r\n\r\n"
              "[Info]\r\nInfo = x\r\n");
    EXPECT_EQ(Read(doc, "Info", "Info"), "x");

    doc.RemoveHeader();
    EXPECT_EQ(doc.Lines(), (Lines{"[Info]", "Info = x"}));
    EXPECT_FALSE(doc.GetHeader(header));
    EXPECT_EQ(header, "");
    EXPECT_EQ(Read(doc, "Info", "Info"), "x");
}

TEST(SettingsTextHeader, HeaderTextRoundTripsThroughGetAndSet) {
    SettingsText doc;
    doc.SetHeader("a\r\nb\r\n");
    std::string first;
    doc.GetHeader(first);
    doc.SetHeader(first);
    std::string second;
    doc.GetHeader(second);
    EXPECT_EQ(first, "a\r\nb\r\n");
    EXPECT_EQ(second, first);
}

TEST(SettingsTextHeader, EmptyLinesBetweenCommentsAreSkipped) {
    SettingsText doc;
    doc.LoadFromString("\r\n;a\r\n\r\n;b\r\nk = 1\r\n;c\r\n");
    std::string header;
    EXPECT_TRUE(doc.GetHeader(header));
    EXPECT_EQ(header, "a\r\nb\r\n");
}

}  // namespace
}  // namespace tidewell
