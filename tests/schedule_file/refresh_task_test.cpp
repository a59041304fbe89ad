// An edited or added task goes through the file alone: the list must come out as the refresh of
// the whole list would leave it.
#include <gtest/gtest.h>

#include <functional>

#include "model/task_compare.h"
#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

class RefreshTaskTest : public ::testing::Test {
protected:
    RefreshTaskTest() {
        m_list = GenerateMixedTasks(60, m_clock.Now());
        RefreshThroughFile(m_list, Context());
    }
    ScheduleStoreContext Context() { return {m_clock, m_random, m_settings, m_messages, {}}; }

    // The edit applied to a copy, refreshed alone; the same edit refreshed with the whole list.
    void ExpectLikeTheWholeList(size_t index, const std::function<void(TaskRecord&)>& edit,
                                const char* note) {
        TaskList alone = m_list;
        TaskList whole = m_list;
        edit(alone[index]);
        edit(whole[index]);
        const TaskRecord edited = whole[index];
        const size_t position = RefreshTaskThroughFile(alone, index, Context());
        RefreshThroughFile(whole, Context());
        ASSERT_EQ(alone.size(), whole.size()) << note;
        for (size_t i = 0; i < whole.size(); ++i) {
            EXPECT_TRUE(SameTask(alone[i], whole[i])) << note << ": " << i << " " << whole[i].title;
        }
        size_t expected = whole.size();
        for (size_t i = 0; i < whole.size() && expected == whole.size(); ++i) {
            if (!IsPlaceholderTask(whole[i]) && whole[i].title == edited.title) expected = i;
        }
        EXPECT_EQ(position, expected) << note;
    }

    FixedClock m_clock{At(2026, 3, 2, 8)};
    FixedRandom m_random;
    MemorySettings m_settings;
    RecordingMessageBox m_messages;
    TaskList m_list;
};

TEST_F(RefreshTaskTest, AnEditedTaskSettlesWhereTheWholeRefreshPutsIt) {
    ASSERT_FALSE(IsPlaceholderTask(m_list[3]));
    ExpectLikeTheWholeList(
        3, [](TaskRecord& task) { task.title = "renamed"; }, "title");
    ExpectLikeTheWholeList(
        3,
        [](TaskRecord& task) {
            task.title = "now repeating";
            task.scheduleInfo.type = ScheduleType::repeating;
            task.scheduleInfo.repeatQuantity = 5;
            task.scheduleInfo.repeatUnit = TimeUnit::minutes;
        },
        "another schedule type");
    ExpectLikeTheWholeList(
        3,
        [this](TaskRecord& task) {
            task.title = "moved ahead";
            task.scheduleInfo.startingTime = m_clock.Now() - TimeSpan::FromSeconds(86400 * 400);
        },
        "another place in its group");
    ExpectLikeTheWholeList(
        3, [](TaskRecord& task) { task.title.clear(); }, "refused");
}

// Adding a copy of a task of the list itself (the Copy command): the task read must stay valid.
TEST_F(RefreshTaskTest, AddingACopyOfATaskOfTheListItself) {
    const size_t before = m_list.size();
    const std::string title = m_list[5].title;
    const size_t position = AddTask(m_list, m_list[5], Context());
    ASSERT_LT(position, m_list.size());
    EXPECT_EQ(m_list[position].title, title);
    EXPECT_GT(m_list.size(), before);
}

}  // namespace
}  // namespace tidewell
