// The background writer of the schedule file: one write at a time, the latest snapshot winning.
#include "schedule_file/schedule_saver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "support/task_builder.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

class ScheduleSaverTest : public ::testing::Test {
protected:
    // A list of one task titled `title`.
    ScheduleSnapshot Snapshot(const std::string& title) const {
        TaskList list;
        list.Add(RepeatingTask(At(2026, 3, 2, 8), 1, TimeUnit::hours)).title = title;
        return {m_path, list, {}, false};
    }
    std::string WrittenTitle() const {
        const std::string text = ReadFileText(m_path);
        const size_t title = text.find("Title = ") + 8;
        return text.substr(title, text.find('\r', title) - title);
    }

    TempDir m_dir;
    const std::string m_path = m_dir.File("schedule.rws");
};

TEST_F(ScheduleSaverTest, OneWriteAtATimeAndTheLatestSnapshotWins) {
    std::promise<void> entered;
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::atomic<int> active = 0;
    std::atomic<int> mostActive = 0;
    std::atomic<bool> first = true;
    std::vector<uint64_t> reported;  // written on the saver's thread, read after Finish
    ScheduleSaver saver([&](uint64_t number, const Result&) { reported.push_back(number); },
                        [&](ScheduleSnapshot& snapshot) {
                            mostActive = std::max(mostActive.load(), ++active);
                            if (first.exchange(false)) {
                                entered.set_value();
                                opened.wait();  // the first write hangs until released
                            }
                            Result written = WriteSnapshot(snapshot);
                            --active;
                            return written;
                        });
    EXPECT_EQ(saver.Queue(Snapshot("first")), 1u);
    entered.get_future().wait();
    saver.Queue(Snapshot("second"));
    EXPECT_EQ(saver.Queue(Snapshot("latest")), 3u);
    open.set_value();
    saver.Finish();
    EXPECT_EQ(reported, (std::vector<uint64_t>{1, 3})) << "a replaced snapshot is never written";
    EXPECT_EQ(WrittenTitle(), "latest");

    // A write made now goes after the one under way and drops what is queued: it is newer.
    saver.Queue(Snapshot("queued"));
    ScheduleSnapshot now = Snapshot("now");
    EXPECT_TRUE(saver.WriteNow(now).ok());
    saver.Finish();
    EXPECT_EQ(WrittenTitle(), "now");
    EXPECT_EQ(mostActive, 1);
}

TEST_F(ScheduleSaverTest, TheQueuedSnapshotIsWrittenBeforeTheSaverGoes) {
    {
        ScheduleSaver saver([](uint64_t, const Result&) {});
        saver.Queue(Snapshot("one"));
        saver.Queue(Snapshot("two"));
    }
    EXPECT_EQ(WrittenTitle(), "two");
}

}  // namespace
}  // namespace tidewell
