// One write at a time, the latest queued winning.
#include "files/background_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <vector>

namespace tidewell {
namespace {

// The writes made, in order: what each one wrote.
class BackgroundWriterTest : public ::testing::Test {
protected:
    BackgroundWriter::Write Writing(std::string text) {
        return [this, text] {
            mostActive = std::max(mostActive.load(), ++active);
            if (hold && text == "first") {
                entered.set_value();
                opened.wait();  // the first write hangs until released
            }
            written.push_back(text);
            --active;
            return Result::Ok();
        };
    }

    bool hold = false;
    std::promise<void> entered;
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::atomic<int> active = 0;
    std::atomic<int> mostActive = 0;
    std::vector<std::string> written;  // by one thread at a time, read after Finish
};

TEST_F(BackgroundWriterTest, OneWriteAtATimeAndTheLatestWins) {
    hold = true;
    std::vector<uint64_t> reported;
    BackgroundWriter writer([&](uint64_t number, const Result&) { reported.push_back(number); });
    EXPECT_EQ(writer.Queue(Writing("first")), 1u);
    entered.get_future().wait();
    writer.Queue(Writing("second"));
    EXPECT_EQ(writer.Queue(Writing("latest")), 3u);
    open.set_value();
    writer.Finish();
    EXPECT_EQ(reported, (std::vector<uint64_t>{1, 3})) << "a replaced write is never made";

    // A write made now goes after the one under way and drops what is queued: it is newer.
    writer.Queue(Writing("queued"));
    EXPECT_TRUE(writer.WriteNow(Writing("now")).ok());
    writer.Finish();
    EXPECT_EQ(written.back(), "now");
    EXPECT_EQ(mostActive, 1);
}

TEST_F(BackgroundWriterTest, TheQueuedWriteIsMadeBeforeTheWriterGoes) {
    {
        BackgroundWriter writer([](uint64_t, const Result&) {});
        writer.Queue(Writing("one"));
        writer.Queue(Writing("two"));
    }
    EXPECT_EQ(written.back(), "two");
}

}  // namespace
}  // namespace tidewell
