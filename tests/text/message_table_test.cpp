#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "text/listed_rows.h"
#include "text/message_table.h"

namespace tidewell {
namespace {

std::span<const MessageEntry> Rows() {
    const auto table = MessageTable();
    return table.first(table.size() - 1);  // without the terminator
}

TEST(MessageTable, HoldsEveryRowAndTheTerminator) {
    const auto table = MessageTable();
    ASSERT_EQ(table.size(), 520u);
    EXPECT_EQ(MessageCount(), 520u);
    EXPECT_EQ(Rows().size(), 519u);
    const MessageEntry& last = table.back();
    EXPECT_EQ(last.id, 0);
    EXPECT_EQ(last.reserved, 0);
    EXPECT_STREQ(last.idName, "");
    EXPECT_STREQ(last.category, "");
    EXPECT_STREQ(last.english, "");
    EXPECT_STREQ(last.chinese, "");
}

TEST(MessageTable, IdsAreUniqueNonZeroAndNamesUnique) {
    std::set<int32_t> ids;
    std::set<std::string> names;
    for (const MessageEntry& row : Rows()) {
        EXPECT_NE(row.id, 0) << row.idName;
        EXPECT_EQ(row.reserved, 0) << row.idName;
        EXPECT_TRUE(ids.insert(row.id).second) << "duplicate id " << row.id;
        EXPECT_TRUE(names.insert(row.idName).second) << "duplicate name " << row.idName;
    }
}

struct CategoryBlock {
    const char* category;
    int32_t first;
    int32_t last;
    std::size_t rows;
};

constexpr CategoryBlock kBlocks[] = {
    {"Info", 1, 3, 3},
    {"Menu", 30000, 30011, 11},
    {"Dialog", 40000, 40437, 128},
    {"String", 60019, 60030, 12},
    {"Message", 80000, 80036, 22},
    {"Error", 100000, 100073, 50},
    {"KLN", 140000, 140068, 50},
    {"Tidewell", 150000, 150237, 235},
    {"Tip", 180000, 180007, 8},
};

TEST(MessageTable, EveryIdLiesInsideItsCategoryBlock) {
    std::map<std::string, std::size_t> counts;
    for (const MessageEntry& row : Rows()) {
        const CategoryBlock* block = nullptr;
        for (const CategoryBlock& b : kBlocks) {
            if (std::string_view(row.category) == b.category) {
                block = &b;
            }
        }
        ASSERT_NE(block, nullptr) << row.idName << " has category " << row.category;
        EXPECT_GE(row.id, block->first) << row.idName;
        EXPECT_LE(row.id, block->last) << row.idName;
        ++counts[row.category];
    }
    for (const CategoryBlock& b : kBlocks) {
        EXPECT_EQ(counts[b.category], b.rows) << b.category;
    }
}

TEST(MessageTable, HoldsExactlyTheListedRows) {
    std::map<std::string, const MessageEntry*> byName;
    for (const MessageEntry& row : Rows()) {
        byName[row.idName] = &row;
    }
    ASSERT_EQ(testing::ListedRows().size(), 519u);
    for (const testing::ListedRow& listed : testing::ListedRows()) {
        const auto it = byName.find(listed.name);
        ASSERT_NE(it, byName.end()) << listed.name << " is missing";
        EXPECT_EQ(it->second->id, listed.id) << listed.name;
        EXPECT_STREQ(it->second->category, listed.category) << listed.name;
    }
    EXPECT_EQ(byName.size(), testing::ListedRows().size());
}

TEST(MessageTable, FindsRowsByEnumerator) {
    struct Case {
        int32_t id;
        const char* name;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {IDS_KLN_NEVER, "IDS_KLN_NEVER", "Never", "从不"},
        {IDS_KLN_ACTIVE, "IDS_KLN_ACTIVE", "Active", "有效"},
        {IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, "IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE",
         "Unknown Error (%1) occurred.", "发生了未知错误(%1)。"},
        {IDS_TIDEWELL_VIEW_BETWEEN_TIME, "IDS_TIDEWELL_VIEW_BETWEEN_TIME", "#1 - #2", "#1 - #2"},
        {IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_RUN, "IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_RUN",
         "Run the currently selected task right now\\nRun Now", nullptr},
        {IDS_TIDEWELL_MESSAGE_PROMPT_BEFORE_DELETE, "IDS_TIDEWELL_MESSAGE_PROMPT_BEFORE_DELETE",
         "Are you sure you want to delete the currently selected task?", nullptr},
        {Shell_Language, "Shell_Language", "English", "Chinese,Simplified (简体中文)"},
        {Shell_LCID, "Shell_LCID", "0x0409", "0x0804"},
        {IDS_KLN_ERROR, "IDS_KLN_ERROR", "Error", nullptr},
    };
    for (const Case& c : cases) {
        const MessageEntry* row = FindMessage(c.id);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_STREQ(row->idName, c.name);
        EXPECT_STREQ(row->english, c.english) << c.name;
        if (c.chinese != nullptr) {
            EXPECT_STREQ(row->chinese, c.chinese) << c.name;
        }
    }
    EXPECT_EQ(FindMessage(0), nullptr);
    EXPECT_EQ(FindMessage(12345678), nullptr);
}

TEST(MessageTable, NoRowOutsideInfoHasAnEmptyText) {
    for (const MessageEntry& row : Rows()) {
        if (std::string_view(row.category) == "Info") {
            continue;
        }
        EXPECT_STRNE(row.english, "") << row.idName;
        EXPECT_STRNE(row.chinese, "") << row.idName;
    }
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
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                ++n;
            } else {
                ++i;
            }
        }
    }
    return n;
}

// The "%1".."%3" and "#1".."#4" placeholders a text uses.
std::set<std::string> Placeholders(std::string_view text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char mark = text[i];
        const char digit = text[i + 1];
        if ((mark == '%' && digit >= '1' && digit <= '3') || (mark == '#' && digit >= '1' && digit <= '4')) {
            found.insert(std::string(text.substr(i, 2)));
        }
    }
    return found;
}

TEST(MessageTable, BothColumnsCarryTheSamePlaceholdersBreaksAndMnemonics) {
    for (const MessageEntry& row : Rows()) {
        const std::string english = row.english;
        const std::string chinese = row.chinese;
        EXPECT_EQ(Placeholders(english), Placeholders(chinese)) << row.idName;
        EXPECT_EQ(CountOf(english, "\r\n"), CountOf(chinese, "\r\n")) << row.idName;
        EXPECT_EQ(CountOf(english, "\t"), CountOf(chinese, "\t")) << row.idName;
        EXPECT_EQ(MnemonicCount(english), MnemonicCount(chinese)) << row.idName;
        // Line breaks are always CR LF pairs.
        EXPECT_EQ(CountOf(english, "\n"), CountOf(english, "\r\n")) << row.idName;
        EXPECT_EQ(CountOf(chinese, "\n"), CountOf(chinese, "\r\n")) << row.idName;
    }
}

TEST(MessageTable, CommandPromptsHoldPromptAndToolTip) {
    for (const MessageEntry& row : Rows()) {
        const bool commandTip = std::string_view(row.idName).find("COMMAND_TIP") != std::string_view::npos;
        for (const std::string_view text : {std::string_view(row.english), std::string_view(row.chinese)}) {
            if (commandTip) {
                EXPECT_EQ(CountOf(text, "\\n"), 1u) << row.idName;
                EXPECT_EQ(CountOf(text, "\n"), 0u) << row.idName;
                EXPECT_NE(text.find("\\n"), 0u) << row.idName;
                EXPECT_NE(text.find("\\n") + 2, text.size()) << row.idName;
            } else {
                EXPECT_EQ(CountOf(text, "\\"), 0u) << row.idName;
            }
        }
    }
}

TEST(MessageTable, TextsAreValidUtf8) {
    auto valid = [](std::string_view s) {
        for (std::size_t i = 0; i < s.size();) {
            const auto c = static_cast<unsigned char>(s[i]);
            const std::size_t len = c < 0x80           ? 1
                                    : (c >> 5) == 0x6  ? 2
                                    : (c >> 4) == 0xE  ? 3
                                    : (c >> 3) == 0x1E ? 4
                                                       : 0;
            if (len == 0 || i + len > s.size()) {
                return false;
            }
            for (std::size_t k = 1; k < len; ++k) {
                if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                    return false;
                }
            }
            i += len;
        }
        return true;
    };
    for (const MessageEntry& row : Rows()) {
        EXPECT_TRUE(valid(row.english)) << row.idName;
        EXPECT_TRUE(valid(row.chinese)) << row.idName;
    }
}

}  // namespace
}  // namespace tidewell
