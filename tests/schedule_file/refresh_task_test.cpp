// An edited or added task goes through the file alone: the list must come out as the refresh of
// the whole list leaves it.
#include <gtest/gtest.h>

#include "model/task_compare.h"
#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TEST(RefreshTaskTest, AnEditedTaskSettlesWhereTheWholeRefreshPutsIt) {
    FixedClock clock(At(2026, 3, 2, 8));
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messages;
    const ScheduleStoreContext context{clock, random, settings, messages, {}};
    TaskList list = GenerateMixedTasks(60, clock.Now());
    RefreshThroughFile(list, context);
    const std::vector<std::pair<const char*, void (*)(TaskRecord&)>> edits = {
        {"renamed", [](TaskRecord&) {}},
        {"another type", [](TaskRecord& task) { task.scheduleInfo.type = ScheduleType::repeating; }},
        {"started earlier", [](TaskRecord& task) { task.scheduleInfo.startingTime = At(2024, 1, 1, 8); }},
        {"", [](TaskRecord&) {}},  // refused
    };
    for (const auto& [title, edit] : edits) {
        TaskList alone = list;
        TaskList whole = list;
        for (TaskList* edited : {&alone, &whole}) {
            (*edited)[3].title = title;
            edit((*edited)[3]);
        }
        const size_t position = RefreshTaskThroughFile(alone, 3, context);
        RefreshThroughFile(whole, context);
        ASSERT_EQ(alone.size(), whole.size()) << title;
        size_t expected = whole.size();
        for (size_t i = whole.size(); i-- > 0;) {
            EXPECT_TRUE(SameTask(alone[i], whole[i])) << title << ": " << i;
            if (!IsPlaceholderTask(whole[i]) && whole[i].title == title) expected = i;
        }
        EXPECT_EQ(position, expected) << title;
    }
    // A copy of a task of the list itself (the Copy command): the task read must stay valid.
    const std::string copied = list[5].title;
    EXPECT_EQ(list[AddTask(list, list[5], context)].title, copied);
}

}  // namespace
}  // namespace tidewell
