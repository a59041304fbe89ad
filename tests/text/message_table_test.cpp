// Properties every row of the message table keeps, checked over the table itself.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "text/message_table.h"

namespace tidewell {
namespace {

std::span<const MessageEntry> Rows() {
    const auto table = MessageTable();
    return table.first(table.size() - 1);  // without the terminator
}

std::size_t CountOf(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (auto pos = text.find(part); pos != std::string_view::npos;
         pos = text.find(part, pos + part.size())) {
        ++n;
    }
    return n;
}

// Mnemonic markers: "&" followed by something other than "&".
std::size_t MnemonicCount(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') ++n;
        ++i;
    }
    return n;
}

// The "%1".."%3" and "#1".."#4" placeholders a text uses.
std::set<std::string> Placeholders(std::string_view text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char mark = text[i];
        const char digit = text[i + 1];
        if ((mark == '%' && digit >= '1' && digit <= '3') || (mark == '#' && digit >= '1' && digit <= '4'))
            found.insert(std::string(text.substr(i, 2)));
    }
    return found;
}

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80           ? 1
                                : (c >> 5) == 0x6  ? 2
                                : (c >> 4) == 0xE  ? 3
                                : (c >> 3) == 0x1E ? 4
                                                   : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

// The id block of each category.
struct CategoryBlock {
    const char* category;
    int32_t first;
    int32_t last;
};
constexpr CategoryBlock kBlocks[] = {
    {"Info", 1, 29999},       {"Menu", 30000, 39999},       {"Dialog", 40000, 59999},
    {"String", 60000, 79999}, {"Message", 80000, 99999},    {"Error", 100000, 139999},
    {"KLN", 140000, 149999},  {"Tidewell", 150000, 179999}, {"Tip", 180000, 189999},
};

TEST(MessageTable, IdsAndNamesAreUniqueAndInTheirCategoryBlock) {
    EXPECT_EQ(MessageCount(), MessageTable().size());
    const MessageEntry& last = MessageTable().back();
    EXPECT_EQ(last.id, 0);
    EXPECT_STREQ(last.idName, "");
    std::set<int32_t> ids;
    std::set<std::string> names;
    for (const MessageEntry& row : Rows()) {
        EXPECT_TRUE(ids.insert(row.id).second) << "duplicate id " << row.id;
        EXPECT_TRUE(names.insert(row.idName).second) << "duplicate name " << row.idName;
        EXPECT_EQ(row.reserved, 0) << row.idName;
        EXPECT_EQ(FindMessage(row.id), &row) << row.idName;
        const CategoryBlock* block = nullptr;
        for (const CategoryBlock& b : kBlocks)
            if (std::string_view(row.category) == b.category) block = &b;
        ASSERT_NE(block, nullptr) << row.idName << " has category " << row.category;
        EXPECT_GE(row.id, block->first) << row.idName;
        EXPECT_LE(row.id, block->last) << row.idName;
    }
    EXPECT_EQ(FindMessage(0), nullptr);
    EXPECT_EQ(FindMessage(12345678), nullptr);
}

TEST(MessageTable, BothLanguagesCarryTheSamePlaceholdersBreaksAndMnemonics) {
    for (const MessageEntry& row : Rows()) {
        const std::string_view english = row.english;
        const std::string_view chinese = row.chinese;
        EXPECT_TRUE(ValidUtf8(english) && ValidUtf8(chinese)) << row.idName;
        if (std::string_view(row.category) != "Info") {
            EXPECT_FALSE(english.empty() || chinese.empty()) << row.idName;
        }
        EXPECT_EQ(Placeholders(english), Placeholders(chinese)) << row.idName;
        EXPECT_EQ(CountOf(english, "\r\n"), CountOf(chinese, "\r\n")) << row.idName;
        EXPECT_EQ(CountOf(english, "\t"), CountOf(chinese, "\t")) << row.idName;
        EXPECT_EQ(MnemonicCount(english), MnemonicCount(chinese)) << row.idName;
        const bool commandTip = std::string_view(row.idName).find("COMMAND_TIP") != std::string_view::npos;
        for (const std::string_view text : {english, chinese}) {
            // Line breaks are CR LF pairs; a command prompt is "status\ntool tip" with a written "\n".
            EXPECT_EQ(CountOf(text, "\n"), CountOf(text, "\r\n")) << row.idName;
            EXPECT_EQ(CountOf(text, "\\"), commandTip ? 1u : 0u) << row.idName;
            if (commandTip) {
                const auto separator = text.find("\\n");
                EXPECT_TRUE(separator != 0 && separator + 2 < text.size()) << row.idName;
            }
        }
    }
}

}  // namespace
}  // namespace tidewell
