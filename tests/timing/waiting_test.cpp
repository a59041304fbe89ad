#include "timing/waiting.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tidewell {
namespace {

TEST(Waiting, StoredQuantitiesAndTheirMeaning) {
    using Case = std::tuple<int32_t, TimeUnit, WaitingChoice, std::optional<int64_t>>;
    const Case cases[] = {
        {0, TimeUnit::hours, WaitingChoice::dontWait, 0},
        {120, TimeUnit::minutes, WaitingChoice::waitForSomeTime, 7200},
        {121, TimeUnit::minutes, WaitingChoice::keepWaiting, 7260},  // read as it stands by the catch-up
        {999, TimeUnit::minutes, WaitingChoice::keepWaiting, std::nullopt},
        {-5, TimeUnit::minutes, WaitingChoice::keepWaiting, 0},
    };
    for (const auto& [quantity, unit, shown, limit] : cases) {
        EXPECT_EQ(WaitingChoiceOf(quantity), shown) << quantity;
        EXPECT_EQ(WaitingLimitSeconds({quantity, unit}), limit) << quantity;
    }
    EXPECT_FALSE(IsWaitingComplete(WaitingChoice::waitForSomeTime, 121, TimeUnit::hours));
    EXPECT_FALSE(IsWaitingComplete(WaitingChoice::waitForSomeTime, 5, TimeUnit::days));
    EXPECT_TRUE(IsWaitingComplete(WaitingChoice::keepWaiting, 5000, TimeUnit::seconds));
    EXPECT_EQ(StoredWaiting(WaitingChoice::keepWaiting, 7, TimeUnit::minutes).quantity, 999);
}

}  // namespace
}  // namespace tidewell
