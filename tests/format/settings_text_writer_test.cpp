// The append-only writer and the section reader against the document's own
// writes and lookups, over random documents.
#include <gtest/gtest.h>

#include <random>

#include "format/settings_text.h"

namespace tidewell {
namespace {

std::string RandomText(std::mt19937& random, bool multiLine) {
    static const std::string pieces[] = {"a",       "Z",         " ", "=",  " = ", "<",  ">",
                                         "<B End>", "{{Block}}", "é", "\t", ";",   "[x]"};
    std::string text;
    int length = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < length; ++i) {
        text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
        if (multiLine && random() % 4 == 0) text += random() % 2 ? "\r\n" : "\n";
    }
    return text;
}

TEST(SettingsTextWriter, GivesTheBytesOfTheSameWritesThroughTheDocument) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        SettingsText document;
        SettingsTextWriter writer;
        std::string header = round % 3 ? "Header line\r\nsecond" : "";
        if (!header.empty()) {
            document.SetHeader(header);
            writer.SetHeader(header);
        }
        int sections = std::uniform_int_distribution<int>(0, 5)(random);
        for (int s = 0; s < sections; ++s) {
            std::string section = "Section " + std::to_string(s) + (random() % 3 ? "" : " ");
            ASSERT_TRUE(writer.AddSection(section));
            int keys = std::uniform_int_distribution<int>(1, 8)(random);
            for (int k = 0; k < keys; ++k) {
                std::string key = "Key" + std::to_string(k) + (random() % 5 ? "" : " x");
                std::string value = RandomText(random, true);
                EXPECT_EQ(document.WriteString(section, key, value), writer.WriteString(key, value));
            }
        }
        ASSERT_EQ(writer.SaveToString(), document.SaveToString()) << "round " << round;
    }
}

TEST(SettingsTextWriter, RefusesWhatTheDocumentRefuses) {
    SettingsTextWriter writer;
    EXPECT_FALSE(writer.WriteString("key", "before any section"));
    EXPECT_FALSE(writer.AddSection("a = b"));
    EXPECT_TRUE(writer.AddSection("s"));
    EXPECT_FALSE(writer.WriteString("  ", "blank key"));
    EXPECT_TRUE(writer.WriteInt("n", -5));
    EXPECT_TRUE(writer.WriteBool("b", true));
    EXPECT_EQ(writer.SaveToString(), "[s]\r\nn = -5\r\nb = true\r\n");
    EXPECT_FALSE(writer.AddSection("later"));
}

TEST(SettingsTextSectionReader, AnswersAsTheDocumentLookups) {
    std::mt19937 random(99);
    for (int round = 0; round < 100; ++round) {
        std::string text = ";h\r\n\r\n";
        for (int s = 0; s < 4; ++s) {
            text += "[S" + std::to_string(s % 3) + "]\r\n";  // a repeated section: the first one answers
            for (int line = 0; line < 6; ++line) {
                std::string value = RandomText(random, false);
                if (value.find("{{Block}}") != std::string::npos)
                    value = "x";  // would open a block that runs on
                text += "K" + std::to_string(random() % 5) + (random() % 4 ? " = " : " =") + value + "\r\n";
            }
        }
        SettingsText document;
        document.LoadFromString(text);
        for (int s = 0; s < 4; ++s) {
            std::string section = "S" + std::to_string(s);
            SettingsText::SectionReader reader = document.ReadSection(section);
            EXPECT_EQ(reader.Found(), s < 3);
            for (int k = 0; k < 6; ++k) {
                std::string key = "K" + std::to_string(k);
                std::string expected, got;
                bool foundExpected = document.ReadString(section, key, "default", expected);
                EXPECT_EQ(reader.ReadString(key, "default", got), foundExpected);
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
