#include "timing/validation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/task_builder.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

const std::string kNoTitle = "Task title cannot be blank.";
const std::string kNoProgram = "A valid program name or a file name must be provided.";
const std::string kNoMusic = "A valid music file path must be provided.";
const std::string kEndingFirst = "Ending time cannot be earlier than starting time.";
const std::string kNoDay = "At least one day should be selected to make a valid schedule.";

std::string FileProblem(const std::string& text, const std::string& path) {
    return text + "\r\n\r\n\t" + path;
}

class ValidationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = m_temp.Path();
        m_existing = m_folder + "/present.sh";
        std::ofstream(m_existing) << "x";
        m_macro = m_folder + "/job.RWM";
        std::ofstream(m_macro) << "x";
    }

    TaskRecord ValidProgramTask() {
        TaskRecord task = DailyTask({TimeOfDayValue(8)});
        task.taskInfo.programPath = m_existing;
        task.soundInfo.type = 0;
        return task;
    }

    TempDir m_temp;
    std::string m_folder;
    std::string m_existing;
    std::string m_macro;
};

TEST_F(ValidationTest, EachRuleAloneAndInEditorMode) {
    std::string missing = m_folder + "/missing";
    struct Case {
        const char* note;
        std::function<void(TaskRecord&)> change;
        bool keep;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"valid", [](TaskRecord&) {}, true, ""},
        {"blank title after trimming", [](TaskRecord& t) { t.title = "   \t "; }, false, kNoTitle},
        {"false task type", [](TaskRecord& t) { t.taskInfo.taskType = static_cast<TaskType>(4); }, false,
         "false task type."},
        {"missing program", [&](TaskRecord& t) { t.taskInfo.programPath = missing; }, false,
         FileProblem(kNoProgram, missing)},
        {"web address not checked", [](TaskRecord& t) { t.taskInfo.programPath = "https://example.org/x"; },
         true, ""},
        {"mailto not checked", [](TaskRecord& t) { t.taskInfo.programPath = "MailTo:someone@example.org"; },
         true, ""},
        {"'://' beyond the tenth character is a path",
         [](TaskRecord& t) { t.taskInfo.programPath = "/nowhere/at/all://x"; }, false,
         FileProblem(kNoProgram, "/nowhere/at/all://x")},
        {"false sound type", [](TaskRecord& t) { t.soundInfo.type = 2; }, false,
         "false sound type.\r\n\r\n" + FileProblem(kNoMusic, "")},
        {"missing music",
         [&](TaskRecord& t) {
             t.soundInfo.type = 1;
             t.soundInfo.musicFilePath = missing;
         },
         false, FileProblem(kNoMusic, missing)},
        {"music present",
         [&](TaskRecord& t) {
             t.soundInfo.type = 1;
             t.soundInfo.musicFilePath = m_existing;
         },
         true, ""},
        {"music not played",
         [&](TaskRecord& t) {
             t.soundInfo.type = 1;
             t.soundInfo.noticeSound = false;
         },
         true, ""},
        {"false schedule type", [](TaskRecord& t) { t.scheduleInfo.type = static_cast<ScheduleType>(8); },
         false, "false schedule type."},
        {"daily ending before start",
         [](TaskRecord& t) {
             t.scheduleInfo.haveEndingTime = true;
             t.scheduleInfo.endingTime = At(1999, 1, 1);
         },
         false, kEndingFirst},
        {"an ending time that is switched off",
         [](TaskRecord& t) { t.scheduleInfo.endingTime = At(1999, 1, 1); }, true, ""},
        {"empty daily list", [](TaskRecord& t) { t.scheduleInfo.daily.clear(); }, false, kNoDay},
    };
    for (const Case& c : cases) {
        TaskRecord task = ValidProgramTask();
        c.change(task);
        ValidationResult result = ValidateTask(task, {});
        EXPECT_EQ(result.keep, c.keep) << c.note;
        EXPECT_EQ(result.message, c.message) << c.note;
    }
}

TEST_F(ValidationTest, SeveralProblemsAreReportedTogetherInOrder) {
    TaskRecord task = ValidProgramTask();
    task.title = "";
    task.taskInfo.programPath = "";
    task.scheduleInfo.daily.clear();
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = At(1999, 1, 1);
    ValidationResult result = ValidateTask(task, {});
    EXPECT_FALSE(result.keep);
    EXPECT_EQ(result.message, kNoTitle + "\r\n\r\n" + FileProblem(kNoProgram, "") + "\r\n\r\n" +
                                  kEndingFirst + "\r\n\r\n" + kNoDay);
}

TEST_F(ValidationTest, LoadModeTurnsFileProblemsIntoWarnings) {
    std::string missing = m_folder + "/missing.wav";
    TaskRecord task = ValidProgramTask();
    task.soundInfo.type = 1;
    task.soundInfo.musicFilePath = missing;
    struct Case {
        bool remindMusic;
        std::string message;
    };
    for (const Case& c : {Case{true, FileProblem(kNoMusic, missing)}, Case{false, ""}}) {
        TaskRecord copy = task;
        ValidationOptions options;
        options.loadMode = true;
        options.remindMusicErrors = c.remindMusic;
        ValidationResult result = ValidateTask(copy, options);
        EXPECT_TRUE(result.keep);
        EXPECT_EQ(result.message, c.message);
    }
    ValidationOptions skip;
    skip.skipMusicCheck = true;
    TaskRecord copy = task;
    EXPECT_TRUE(ValidateTask(copy, skip).keep);

    // Errors still drop the task on load, and only the errors are reported.
    TaskRecord broken = task;
    broken.title = "";
    ValidationOptions load;
    load.loadMode = true;
    ValidationResult result = ValidateTask(broken, load);
    EXPECT_FALSE(result.keep);
    EXPECT_EQ(result.message, kNoTitle);

    TaskRecord missingProgram = ValidProgramTask();
    missingProgram.taskInfo.programPath = missing;
    load.remindFileErrors = false;
    result = ValidateTask(missingProgram, load);
    EXPECT_TRUE(result.keep);
    EXPECT_EQ(result.message, "");
}

TEST_F(ValidationTest, MacroPathsWhenTheMacroEngineIsPresent) {
    std::string expectedFolder =
        "Path \"" + m_folder + "\" does not exist or is not point to a valid Runweave macro file.";
    struct Case {
        std::string path;
        bool macroChecking;
        bool keep;
    };
    const Case cases[] = {
        {m_macro, true, true},
        {m_existing, true, false},
        {m_folder, true, false},
        {m_folder + "/none.rwm", true, false},
        {m_folder + "/none.rwm", false, true},
    };
    for (const Case& c : cases) {
        TaskRecord task = ValidProgramTask();
        task.taskInfo.taskType = TaskType::macro;
        task.taskInfo.macroPath = c.path;
        ValidationOptions options;
        options.macroChecking = c.macroChecking;
        ValidationResult result = ValidateTask(task, options);
        EXPECT_EQ(result.keep, c.keep) << c.path;
    }
    TaskRecord task = ValidProgramTask();
    task.taskInfo.taskType = TaskType::macro;
    task.taskInfo.macroPath = m_folder;
    ValidationOptions options;
    options.macroChecking = true;
    EXPECT_EQ(ValidateTask(task, options).message, FileProblem(expectedFolder, m_folder));
}

TEST(NormalizeTask, ClampsAndTrims) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.title = "  " + std::string(120, 't') + "  ";
    task.comment = "\r\n note \r\n";
    task.soundInfo.duration = 0;
    task.soundInfo.beepFrequency = 40000;
    task.soundInfo.beepBeep = 1;
    task.soundInfo.beepDelay = 99999;
    task.scheduleInfo.repeatQuantity = 601;
    task.scheduleInfo.countDownSeconds = 86400 + 3661;
    task.scheduleInfo.countDownDays = 2;
    task.scheduleInfo.atLogonWaitQuantity = 0;
    task.scheduleInfo.atLogonWaitUnit = TimeUnit::days;
    task.randomizationInfo.enable = true;
    task.randomizationInfo.rpTotalSeconds = 50000000;
    NormalizeTask(task);
    EXPECT_EQ(task.title, std::string(100, 't'));
    EXPECT_EQ(task.comment, "note");
    EXPECT_EQ(task.soundInfo.duration, 1);
    EXPECT_EQ(task.soundInfo.beepFrequency, 32767);
    EXPECT_EQ(task.soundInfo.beepBeep, 10);
    EXPECT_EQ(task.soundInfo.beepDelay, 30000);
    EXPECT_EQ(task.scheduleInfo.repeatQuantity, 600);
    EXPECT_EQ(task.scheduleInfo.countDownDays, 3);
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 3661);
    EXPECT_EQ(task.scheduleInfo.atLogonWaitQuantity, 1);
    EXPECT_EQ(task.scheduleInfo.atLogonWaitUnit, TimeUnit::minutes);
    EXPECT_EQ(task.randomizationInfo.rpTotalSeconds, 43200000);

    task.scheduleInfo.countDownSeconds = 86400;  // exactly one day stays
    task.scheduleInfo.countDownDays = 5000;
    NormalizeTask(task);
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 86400);
    EXPECT_EQ(task.scheduleInfo.countDownDays, 1000);
}

TEST(NormalizeTask, MonthEntriesWithoutAMonthAreDropped) {
    TaskRecord task = MonthlyTask({InMonths(DayOfMonth(1, TimeOfDayValue(8)), {})});
    task.taskInfo.taskType = TaskType::notice;
    ValidationResult result = ValidateTask(task, {});
    EXPECT_TRUE(task.scheduleInfo.monthly.empty());
    EXPECT_FALSE(result.keep);
    EXPECT_EQ(result.message, kNoDay);
}

TEST(NormalizeTask, OnceAndCountDownMayEndBeforeTheyStart) {
    for (ScheduleType type : {ScheduleType::once, ScheduleType::countDown}) {
        TaskRecord task = type == ScheduleType::once ? OnceTask({At(2006, 1, 1)}) : ScheduledTask(type);
        task.taskInfo.taskType = TaskType::notice;
        task.soundInfo.type = 0;
        task.scheduleInfo.haveEndingTime = true;
        task.scheduleInfo.endingTime = At(1999, 1, 1);
        EXPECT_TRUE(ValidateTask(task, {}).keep);
    }
}

TEST(DuplicateTimes, EditorsRefuseATimeTheListHolds) {
    const std::string refused = "This time already exists in the list. Please choose another one.";
    std::vector<DateTime> daily = {TimeOfDayValue(8)};
    EXPECT_EQ(CheckDailyTimeIsNew(daily, At(2006, 1, 1, 8)).message(), refused);
    EXPECT_TRUE(CheckDailyTimeIsNew(daily, TimeOfDayValue(8, 0, 1)).ok());
    std::vector<WeeklyItem> weekly = {{1, TimeOfDayValue(8)}};
    EXPECT_FALSE(CheckWeeklyTimeIsNew(weekly, {1, TimeOfDayValue(8)}).ok());
    EXPECT_TRUE(CheckWeeklyTimeIsNew(weekly, {2, TimeOfDayValue(8)}).ok());
    std::vector<DateTime> once = {At(2006, 1, 1, 8)};
    EXPECT_FALSE(CheckOnceTimeIsNew(once, At(2006, 1, 1, 8)).ok());
    EXPECT_TRUE(CheckOnceTimeIsNew(once, At(2006, 1, 2, 8)).ok());
}

}  // namespace
}  // namespace tidewell
