// Seeded random documents: the indexed lookups must answer as a plain scan of the lines does, what
// is saved must load back to the same lines, the append-only writer must give the bytes of the same
// writes through a document, and the section reader must answer as the document's lookups.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "base/text_util.h"
#include "format/settings_text.h"

namespace tidewell {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsSection(std::string_view line) {
    const std::string_view t = TrimBlanks(line);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']' && t.find('=') == std::string_view::npos;
}

std::string WithoutLineBreaks(const std::string& key) {
    return ReplaceAll(ReplaceAll(key, "\r\n", "    "), "\n", "    ");
}

// The lookups as a scan from the top of the line array.
int ScanSection(const std::vector<std::string>& lines, std::string_view name, int& count) {
    count = 0;
    const std::string_view trimmed = TrimBlanks(name);
    if (trimmed.find_first_of("=\r\n") != std::string_view::npos) return -1;
    const std::string wanted = "[" + std::string(trimmed) + "]";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimBlanks(lines[i]) == wanted) {
            std::size_t j = i + 1;
            while (j < lines.size() && !TrimBlanks(lines[j]).empty() && !IsSection(lines[j])) ++j;
            count = static_cast<int>(j - i - 1);
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ScanKey(const std::vector<std::string>& lines, int start, const std::string& rawKey, std::string& value) {
    const std::string prefix = WithoutLineBreaks(rawKey) + " = ";
    for (int i = std::max(start, 0); i < static_cast<int>(lines.size()) && !IsSection(lines[i]); ++i) {
        if (lines[i].starts_with(prefix)) {
            value = lines[i].substr(prefix.size());
            return i;
        }
    }
    return -1;
}

const std::vector<std::string> kSections = {"S",  "Daily 1", " Daily 1 ", "Weekly 2", "[x",
                                            "a]", ";c",      "任务",      "",         "x=y"};
const std::vector<std::string> kKeys = {"a",   "Time",   "Time Zone",    "k = v", "x =",  ";c",
                                        "[x]", "trail ", "two\r\nlines", "标题",  "b<<c>"};
const std::vector<std::string> kPieces = {
    "plain", "<",   ">", "<<", "<B End>", "<B Start>", "{{Block}}", " = ",           "\r\n",    "\n",
    "\r",    "[S]", ";", " ",  "\t",      "",          "é",         "x = {{Block}}", "<B End> "};

std::string RandomValue(std::mt19937& random) {
    std::string value;
    const int pieces = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < pieces; ++i) value += kPieces[random() % kPieces.size()];
    return value;
}

void ExpectSameAsScan(const SettingsText& doc, const char* context) {
    const std::vector<std::string>& lines = doc.Lines();
    for (const std::string& section : kSections) {
        int count = -1;
        int expectedCount = -1;
        const int found = doc.FindSection(section, &count);
        ASSERT_EQ(found, ScanSection(lines, section, expectedCount)) << context << " " << section;
        ASSERT_EQ(count, expectedCount) << context << " " << section;
        for (const std::string& key : kKeys) {
            std::string expected;
            const int scanned = found < 0 ? -1 : ScanKey(lines, found + 1, key, expected);
            std::string value;
            ASSERT_EQ(doc.ReadString(section, key, "<none>", value), scanned >= 0)
                << context << " " << section << "/" << key;
            ASSERT_EQ(value, scanned >= 0 ? expected : "<none>") << context << " " << key;
            if (found >= 0) {
                std::string direct;
                ASSERT_EQ(doc.FindKey(found + 1, key, &direct), scanned) << context << " " << key;
            }
        }
    }
}

void RandomEdit(SettingsText& doc, std::mt19937& random) {
    const std::string& section = kSections[random() % kSections.size()];
    const std::string& key = kKeys[random() % kKeys.size()];
    switch (random() % 12) {
        case 0: doc.WriteInt(section, key, static_cast<int>(random())); break;
        case 1: doc.WriteBool(section, key, random() % 2 == 0); break;
        case 2: doc.FindOrAddSection(section); break;
        case 3: doc.SetHeader(RandomValue(random)); break;
        case 4: doc.RemoveHeader(); break;
        case 5: doc.Normalize(); break;
        case 6: doc.LoadFromString(doc.SaveToString()); break;
        default: doc.WriteString(section, key, RandomValue(random)); break;
    }
}

TEST(SettingsTextRandom, IndexedLookupsAnswerAsALinearScan) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        SettingsText doc;
        for (int step = 0; step < 120; ++step) {
            RandomEdit(doc, random);
            const std::string context = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            ExpectSameAsScan(doc, context.c_str());
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(SettingsTextRandom, WriterGivesTheBytesOfTheSameWritesThroughTheDocument) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        SettingsText document;
        SettingsTextWriter writer;
        if (round % 3 != 0) {
            document.SetHeader("Header line\r\nsecond");
            writer.SetHeader("Header line\r\nsecond");
        }
        for (int s = 0, sections = static_cast<int>(random() % 6); s < sections; ++s) {
            const std::string section = "Section " + std::to_string(s) + (random() % 3 ? "" : " ");
            ASSERT_TRUE(writer.AddSection(section));
            for (int k = 0, keys = 1 + static_cast<int>(random() % 8); k < keys; ++k) {
                const std::string key = "Key" + std::to_string(k) + (random() % 5 ? "" : " x");
                const std::string value = RandomValue(random);
                EXPECT_EQ(document.WriteString(section, key, value), writer.WriteString(key, value));
            }
        }
        ASSERT_EQ(writer.SaveToString(), document.SaveToString()) << "round " << round;
        EXPECT_FALSE(writer.AddSection("later")) << "the document is complete once saved";
    }
    SettingsTextWriter writer;
    EXPECT_FALSE(writer.WriteString("key", "before any section"));
    EXPECT_FALSE(writer.AddSection("a = b"));
    EXPECT_TRUE(writer.AddSection("s"));
    EXPECT_FALSE(writer.WriteString("  ", "blank key"));
}

TEST(SettingsTextRandom, SectionReaderAnswersAsTheDocumentLookups) {
    std::mt19937 random(99);
    for (int round = 0; round < 100; ++round) {
        std::string text = ";h\r\n\r\n";
        for (int s = 0; s < 4; ++s) {
            text += "[S" + std::to_string(s % 3) + "]\r\n";  // a repeated section: the first one answers
            for (int line = 0; line < 6; ++line) {
                std::string value = RandomValue(random);
                if (value.find_first_of("\r\n") != std::string::npos ||
                    value.find("{{Block}}") != std::string::npos) {
                    value = "x";  // one line each, and no block that runs on
                }
                text += "K" + std::to_string(random() % 5) + (random() % 4 ? " = " : " =") + value + "\r\n";
            }
        }
        SettingsText document;
        document.LoadFromString(text);
        for (int s = 0; s < 4; ++s) {
            const std::string section = "S" + std::to_string(s);
            const SettingsText::SectionReader reader = document.ReadSection(section);
            EXPECT_EQ(reader.Found(), s < 3);
            for (int k = 0; k < 6; ++k) {
                const std::string key = "K" + std::to_string(k);
                std::string expected, got;
                EXPECT_EQ(reader.ReadString(key, "default", got),
                          document.ReadString(section, key, "default", expected));
                EXPECT_EQ(got, expected);
                int expectedInt = 0, gotInt = 0;
                document.ReadInt(section, key, 7, expectedInt);
                reader.ReadInt(key, 7, gotInt);
                EXPECT_EQ(gotInt, expectedInt);
            }
        }
    }
}

}  // namespace
}  // namespace tidewell
