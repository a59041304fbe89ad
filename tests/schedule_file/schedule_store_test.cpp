#include "schedule_file/schedule_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "base/text_util.h"
#include "config/settings_keys.h"
#include "model/task_compare.h"
#include "platform/memory_settings.h"
#include "support/injected_file_faults.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"
#include "text/messages.h"
#include "timing/list_order.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

class ScheduleStoreTest : public ::testing::Test {
protected:
    ScheduleStoreContext Context(std::string password = {}) {
        return {clock, random, settings, messageBox, std::move(password)};
    }
    std::string Path() const { return m_temp.File("schedule.rws"); }

    // Tasks of the list in display order, placeholders and the clock task left out.
    static std::vector<const TaskRecord*> UserTasks(const TaskList& list) {
        std::vector<const TaskRecord*> tasks;
        for (const TaskRecord& task : list) {
            if (!IsPlaceholderTask(task) && !task.isClockSyncTask) tasks.push_back(&task);
        }
        return tasks;
    }

    TestClock clock{At(2006, 3, 13, 9)};
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messageBox;
    TempDir m_temp;
};

TEST_F(ScheduleStoreTest, GeneratedListsRoundTrip) {
    std::mt19937 generator(77);
    TaskList list;
    for (int type = 0; type < kScheduleTypeCount; ++type) {
        for (int i = 0; i < 6; ++i) {
            TaskRecord task =
                AsNotice(GenerateTask(generator, static_cast<ScheduleType>(type), clock.Now(), 5),
                         "task " + std::to_string(type) + "-" + std::to_string(i));
            task.comment = i % 2 ? "line one\r\nline two" : "";
            task.enabled = i != 3;
            task.scheduleInfo.haveEndingTime = false;
            task.scheduleInfo.startingTime = At(2005, 1, 2, 3, 4, 5);
            list.Add(task);
        }
    }
    TaskList original = list;
    for (TaskRecord& task : original) {  // lists in their stored order
        OrderTimes(task.scheduleInfo.daily);
        OrderTimes(task.scheduleInfo.once);
        OrderWeekly(task.scheduleInfo.weekly);
        OrderMonthList(task.scheduleInfo.monthly);
        OrderMonthList(task.scheduleInfo.yearly);
    }
    ASSERT_TRUE(SaveTaskList(Path(), list, Context()));
    TaskList loaded;
    ASSERT_EQ(LoadTaskList(Path(), loaded, Context()).droppedTasks, 0);
    std::vector<const TaskRecord*> tasks = UserTasks(loaded);
    ASSERT_EQ(tasks.size(), original.size());
    for (const TaskRecord& expected : original) {
        auto found = std::find_if(tasks.begin(), tasks.end(),
                                  [&](const TaskRecord* t) { return t->title == expected.title; });
        ASSERT_NE(found, tasks.end()) << expected.title;
        EXPECT_TRUE(SameTask(**found, expected)) << expected.title;
    }
    // The refresh in memory gives the list a load gives, in the same order, and writes nothing.
    TaskList refreshed = list;
    RefreshThroughFile(refreshed, Context("s3cret!"));
    EXPECT_EQ(FolderEntries(m_temp.Path()), std::vector<std::string>{"schedule.rws"});
    ASSERT_EQ(refreshed.size(), loaded.size());
    for (size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_TRUE(refreshed[i].title == loaded[i].title && SameTask(refreshed[i], loaded[i])) << i;
    }
    // Once loaded, a list goes round unchanged.
    ASSERT_TRUE(SaveTaskList(Path(), loaded, Context()));
    const std::string first = ReadFileText(Path());
    ASSERT_TRUE(LoadTaskList(Path(), loaded, Context()).loaded);
    ASSERT_TRUE(SaveTaskList(Path(), loaded, Context()));
    EXPECT_EQ(ReadFileText(Path()), first);
}

TEST_F(ScheduleStoreTest, AnEditedTaskSettlesWhereTheWholeRefreshPutsIt) {
    TaskList list = GenerateMixedTasks(60, clock.Now());
    RefreshThroughFile(list, Context());
    const std::vector<std::pair<const char*, void (*)(TaskRecord&)>> edits = {
        {"renamed", [](TaskRecord&) {}},
        {"another type", [](TaskRecord& task) { task.scheduleInfo.type = ScheduleType::repeating; }},
        {"started earlier", [](TaskRecord& task) { task.scheduleInfo.startingTime = At(2004, 1, 1, 8); }},
        {"", [](TaskRecord&) {}},  // refused
    };
    for (const auto& [title, edit] : edits) {
        TaskList alone = list;
        TaskList whole = list;
        for (TaskList* edited : {&alone, &whole}) {
            (*edited)[3].title = title;
            edit((*edited)[3]);
        }
        const size_t position = RefreshTaskThroughFile(alone, 3, Context());
        RefreshThroughFile(whole, Context());
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
    EXPECT_EQ(list[AddTask(list, list[5], Context())].title, copied);
}

TEST_F(ScheduleStoreTest, HandEditedFiles) {
    const std::string head = ";Tidewell file\n\n[Info]\nInfo = Tidewell Job List\n\n";
    auto section = [](const std::string& name, const std::string& title, const std::string& list) {
        return "[" + name + "]\nTitle = " + title +
               "\nEnabled = true\nTI TaskType = 2\nTI Notice Msg = hi\nSndI Notice Sound = false\n" + list +
               "\n";
    };
    struct Case {
        const char* note;
        std::string file;
        std::vector<std::string> titles;
        int dropped;
    };
    const std::vector<Case> cases = {
        {"gap in numbering",
         head + section("Daily 1", "one", "SchI Daily = 08:00:00") +
             section("Daily 3", "three", "SchI Daily = 09:00:00"),
         {"one"},
         0},
        {"only a status",
         head + "[Weekly 1]\nStatus = 4\n\n" + section("Weekly 2", "two", "SchI Weekly = 1 08:00:00"),
         {"two"},
         1},
        {"list that does not parse",
         head +
             section("Once or Several Times 1", "bad", "SchI Once or Several Times = 2024-02-30 12:00:00") +
             section("Once or Several Times 2", "good", "SchI Once or Several Times = 2024-02-28 12:00:00"),
         {"good"},
         1},
        {"no title", head + section("Daily 1", "", "Status = 0\nSchI Daily = 08:00:00"), {}, 1},
    };
    for (const Case& c : cases) {
        WriteFileText(Path(), c.file);
        TaskList list;
        LoadReport report = LoadTaskList(Path(), list, Context());
        ASSERT_TRUE(report.loaded) << c.note;
        std::vector<std::string> titles;
        for (const TaskRecord* t : UserTasks(list)) titles.push_back(t->title);
        EXPECT_EQ(titles, c.titles) << c.note;
        EXPECT_EQ(report.droppedTasks, c.dropped) << c.note;
        EXPECT_EQ(report.keptAsidePath.empty(), c.dropped == 0) << c.note;
        if (c.dropped > 0) {
            EXPECT_EQ(messageBox.LastCall().text,
                      ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_LIST_HOLDS_READ_TASKS_FILE_KEPT_AS), "#1",
                                 report.keptAsidePath))
                << c.note;
        }
        std::filesystem::remove(Path() + ".damaged");
    }
}

// A reload inside a callback (a bus call) cannot wait for the reminder about a missing program:
// the box is queued, and the answer given once the callback has returned is kept.
TEST_F(ScheduleStoreTest, AReminderQueuedInsideACallbackKeepsItsAnswer) {
    TaskRecord task = Titled(DailyTask({TimeOfDayValue(8)}), "Backup");
    task.taskInfo.taskType = TaskType::program;
    task.taskInfo.programPath = m_temp.File("gone");
    TaskList saved;
    saved.Add(task);
    ASSERT_TRUE(SaveTaskList(Path(), saved, Context()).ok());
    for (bool showNextTime : {true, false}) {
        TaskList list;
        {
            MessageBoxService::CallbackScope busCall(messageBox);
            ASSERT_TRUE(LoadTaskList(Path(), list, Context()).loaded);
        }
        ASSERT_EQ(messageBox.OpenCount(), 1u);
        EXPECT_TRUE(messageBox.LastCall().hasCheckBox);
        messageBox.AnswerNext(IDOK, showNextTime);
        messageBox.CloseOldest();
        EXPECT_EQ(settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kFileReminder, 1),
                  showNextTime ? 1 : 0);
    }
    messageBox.Clear();
    TaskList list;
    ASSERT_TRUE(LoadTaskList(Path(), list, Context()).loaded);
    EXPECT_EQ(messageBox.CallCount(), 0u) << "the reminder is off";
}

// A file that cannot be loaded leaves the list empty and tells the user once why and what became
// of the file: kept aside when it was read (no save can lose it), else left where it is.
TEST_F(ScheduleStoreTest, FilesThatCannotBeLoaded) {
    TaskList list;
    list.Add(AsNotice(DailyTask({TimeOfDayValue(8)}), "secret"));
    ASSERT_TRUE(SaveTaskList(Path(), list, Context("s3cret!")));
    const std::string file = ReadFileText(Path());  // read back in LinkedScheduleIsSavedThroughTheLink
    EXPECT_EQ(file.find("secret"), std::string::npos);

    enum Obstacle { none, denied, aFolder, aDevice, noRoomAside };
    const auto cannotRead = [](const std::string& reason) {
        return "Cannot read the file \"#1\": " + reason + ".";
    };
    const struct {
        const char* note;
        std::string bytes;
        Obstacle obstacle;
        std::string password;
        ErrorKind kind;
        std::string message;  // "#1" the path; empty: any but a wrong password
    } cases[] = {
        {"wrong password", file, none, "0ther-pw", ErrorKind::wrongPassword,
         LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD)},
        {"no password set", file, none, "", ErrorKind::wrongPassword,
         LoadMessage(IDS_ERROR_SCHEDULE_PROTECTED_NO_PASSWORD)},
        {"cut after the header", file.substr(0, 400), none, "s3cret!", ErrorKind::damaged, ""},
        {"plain text without the Info key", ";header\r\n\r\n[Info]\r\nOther = 1\r\n" + std::string(60, ' '),
         none, "s3cret!", ErrorKind::damaged, ""},
        {"damaged, no room to keep it aside", "not a schedule", noRoomAside, "", ErrorKind::damaged, ""},
        {"permission denied", "five tasks", denied, "", ErrorKind::io, cannotRead(std::strerror(EACCES))},
        {"a folder in its place", "", aFolder, "", ErrorKind::io, cannotRead(std::strerror(EISDIR))},
        {"a device in its place", "", aDevice, "", ErrorKind::io,
         cannotRead(LoadMessage(IDS_ERROR_FILE_NOT_A_REGULAR_FILE))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        TempDir folder;
        const std::string path = folder.File("schedule.rws");
        InjectedFileFaults faults;
        if (!c.bytes.empty()) WriteFileText(path, c.bytes);
        if (c.obstacle == aFolder) std::filesystem::create_directories(path + "/in");
        if (c.obstacle == aDevice) std::filesystem::create_symlink("/dev/null", path);
        if (c.obstacle == denied) faults.Fail(FileStep::read, EACCES, path);
        if (c.obstacle == noRoomAside) {
            faults.Fail(FileStep::link, EPERM);
            faults.Fail(FileStep::create, ENOSPC);
        }
        const auto before = FolderSnapshot(folder.Path());
        messageBox.Clear();
        TaskList emptied;
        emptied.Add(TaskRecord{});
        LoadReport report = LoadTaskList(path, emptied, Context(c.password));
        EXPECT_FALSE(report.loaded);
        EXPECT_EQ(report.failure.kind(), c.kind);
        EXPECT_TRUE(emptied.empty());
        if (c.message.empty()) {
            EXPECT_NE(report.failure.message(), LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD));
        } else {
            EXPECT_EQ(report.failure.message(), ReplaceAll(c.message, "#1", path));
        }
        const bool keptAside = c.kind != ErrorKind::io && c.obstacle != noRoomAside;
        EXPECT_EQ(report.leaveFile, !keptAside);
        EXPECT_EQ(report.keptAsidePath.empty(), !keptAside);
        const std::string next = keptAside ? ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_LIST_EMPTY_FILE_KEPT_AS),
                                                        "#1", report.keptAsidePath)
                                           : LoadMessage(IDS_MESSAGE_FILE_LEFT_UNTIL_USER_CHOOSES);
        ASSERT_EQ(messageBox.CallCount(), 1u);
        EXPECT_EQ(messageBox.LastCall().text, report.failure.message() + "\r\n\r\n" + next);
        if (!keptAside) {
            EXPECT_EQ(FolderSnapshot(folder.Path()), before) << "nothing written there";
            if (c.obstacle != aFolder) continue;
            messageBox.Clear();  // nor can a save replace the folder; each failure is shown once
            EXPECT_EQ(SaveTaskList(path, list, Context()).kind(), ErrorKind::io);
            EXPECT_EQ(SaveTaskList(path, list, Context("s3cret!")).kind(), ErrorKind::io);
            EXPECT_EQ(messageBox.CallCount(), 2u);
            EXPECT_EQ(messageBox.LastCall().caption, "Error");
            continue;
        }
        EXPECT_EQ(ReadFileText(report.keptAsidePath), c.bytes);
        EXPECT_EQ(ReadFileText(path), c.bytes);
        ASSERT_TRUE(SaveTaskList(path, list, Context("s3cret!")));
        EXPECT_EQ(ReadFileText(report.keptAsidePath), c.bytes) << "the kept copy outlives a save";
    }
}

}  // namespace
}  // namespace tidewell
