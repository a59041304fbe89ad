#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/message_table.h"

namespace tidewell {
namespace {

TEST(MessageTable, HoldsEveryRowAndTheTerminator) {
    const auto table = MessageTable();
    ASSERT_EQ(table.size(), 519u);
    EXPECT_EQ(MessageCount(), 519u);
    const MessageEntry& last = table.back();
    EXPECT_EQ(last.id, 0);
    EXPECT_STREQ(last.idName, "");
    EXPECT_STREQ(last.category, "");
    EXPECT_STREQ(last.english, "");
    EXPECT_STREQ(last.chinese, "");
}

TEST(MessageTable, IdsAreUniqueAndNonZero) {
    std::set<int32_t> ids;
    const auto table = MessageTable();
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        EXPECT_NE(table[i].id, 0) << table[i].idName;
        EXPECT_EQ(table[i].reserved, 0) << table[i].idName;
        EXPECT_TRUE(ids.insert(table[i].id).second) << table[i].idName;
    }
    EXPECT_EQ(ids.size(), 518u);
}

TEST(MessageTable, EnumeratorsCarryTheRowIds) {
    EXPECT_EQ(IDS_KLN_NEVER, 140035);
    EXPECT_EQ(Shell_Language, 1);
    EXPECT_EQ(IDS_TIP_DELETE, 180007);
    ASSERT_NE(FindMessage(IDS_KLN_NEVER), nullptr);
    EXPECT_STREQ(FindMessage(IDS_KLN_NEVER)->english, "Never");
    EXPECT_EQ(FindMessage(0), nullptr);
}

}  // namespace
}  // namespace tidewell
