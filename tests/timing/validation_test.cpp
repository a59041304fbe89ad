#include "timing/validation.h"

#include <gtest/gtest.h>

#include <functional>

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
        WriteFileText(m_existing, "x");
        WriteFileText(m_macro, "x");
    }

    TaskRecord ValidProgramTask() {
        TaskRecord task = DailyTask({TimeOfDayValue(8)});
        task.taskInfo.programPath = m_existing;
        task.soundInfo.type = 0;
        return task;
    }

    TempDir m_temp;
    std::string m_folder = m_temp.Path();
    std::string m_existing = m_temp.File("present.sh");
    std::string m_macro = m_temp.File("job.RWM");
    std::string m_missing = m_temp.File("missing");
};

TEST_F(ValidationTest, EachRuleAloneInEditorMode) {
    struct Case {
        const char* note;
        std::function<void(TaskRecord&)> change;
        std::string message;  // empty: the task is kept
    };
    const std::vector<Case> cases = {
        {"valid", [](TaskRecord&) {}, ""},
        {"blank title after trimming", [](TaskRecord& t) { t.title = "   \t "; }, kNoTitle},
        {"false task type", [](TaskRecord& t) { t.taskInfo.taskType = static_cast<TaskType>(4); },
         "false task type."},
        {"missing program", [&](TaskRecord& t) { t.taskInfo.programPath = m_missing; },
         FileProblem(kNoProgram, m_missing)},
        {"web address not checked", [](TaskRecord& t) { t.taskInfo.programPath = "https://example.org/x"; },
         ""},
        {"'://' beyond the tenth character is a path",
         [](TaskRecord& t) { t.taskInfo.programPath = "/nowhere/at/all://x"; },
         FileProblem(kNoProgram, "/nowhere/at/all://x")},
        {"false sound type", [](TaskRecord& t) { t.soundInfo.type = 2; },
         "false sound type.\r\n\r\n" + FileProblem(kNoMusic, "")},
        {"missing music", [&](TaskRecord& t) { t.soundInfo = {.type = 1, .musicFilePath = m_missing}; },
         FileProblem(kNoMusic, m_missing)},
        {"music not played",
         [&](TaskRecord& t) { t.soundInfo = {.noticeSound = false, .type = 1, .musicFilePath = m_missing}; },
         ""},
        {"ending before start",
         [](TaskRecord& t) {
             t.scheduleInfo.haveEndingTime = true;
             t.scheduleInfo.endingTime = At(1999, 1, 1);
         },
         kEndingFirst},
        {"an ending time that is switched off",
         [](TaskRecord& t) { t.scheduleInfo.endingTime = At(1999, 1, 1); }, ""},
        {"empty daily list", [](TaskRecord& t) { t.scheduleInfo.daily.clear(); }, kNoDay},
        {"a month entry without a month is dropped",
         [](TaskRecord& t) {
             t.scheduleInfo = MonthlyTask({InMonths(DayOfMonth(1, TimeOfDayValue(8)), {})}).scheduleInfo;
         },
         kNoDay},
    };
    for (const Case& c : cases) {
        TaskRecord task = ValidProgramTask();
        c.change(task);
        ValidationResult result = ValidateTask(task, {});
        EXPECT_EQ(result.keep, c.message.empty()) << c.note;
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

TEST_F(ValidationTest, OptionsDecideWhatIsCheckedAndWhatOnlyWarns) {
    struct Case {
        const char* note;
        ValidationOptions options;
        std::function<void(TaskRecord&)> change;
        bool keep;
        std::string message;  // checked when not null
    };
    auto missingMusic = [&](TaskRecord& t) { t.soundInfo = {.type = 1, .musicFilePath = m_missing}; };
    auto macro = [](std::string path) {
        return [path](TaskRecord& t) { t.taskInfo.taskType = TaskType::macro, t.taskInfo.macroPath = path; };
    };
    const std::vector<Case> cases = {
        {"music warning", {.loadMode = true}, missingMusic, true, FileProblem(kNoMusic, m_missing)},
        {"music reminders off", {.loadMode = true, .remindMusicErrors = false}, missingMusic, true, ""},
        {"music check skipped", {.skipMusicCheck = true}, missingMusic, true, ""},
        {"errors still drop the task, reported alone",
         {.loadMode = true},
         [&](TaskRecord& t) { missingMusic(t), t.title = ""; },
         false,
         kNoTitle},
        {"macro extension in any case", {.macroChecking = true}, macro(m_macro), true, ""},
        {"macro without the extension", {.macroChecking = true}, macro(m_existing), false, {}},
        {"macro path a folder", {.macroChecking = true}, macro(m_folder), false, {}},
        {"macro missing", {.macroChecking = true}, macro(m_folder + "/none.rwm"), false, {}},
        {"no macro engine, no check", {}, macro(m_folder + "/none.rwm"), true, ""},
    };
    for (const Case& c : cases) {
        TaskRecord task = ValidProgramTask();
        c.change(task);
        ValidationResult result = ValidateTask(task, c.options);
        EXPECT_EQ(result.keep, c.keep) << c.note;
        if (c.keep || !c.message.empty()) {
            EXPECT_EQ(result.message, c.message) << c.note;
        }
    }
}

TEST(NormalizeTask, ClampsAndTrims) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.title = "  " + std::string(120, 't') + "  ";
    task.comment = "\r\n note \r\n";
    task.scheduleInfo.countDownSeconds = 86400 + 3661;
    task.scheduleInfo.countDownDays = 2;
    task.scheduleInfo.atLogonWaitQuantity = 0;
    task.scheduleInfo.atLogonWaitUnit = TimeUnit::days;
    NormalizeTask(task);
    EXPECT_EQ(task.title, std::string(100, 't'));
    EXPECT_EQ(task.comment, "note");
    EXPECT_EQ(task.scheduleInfo.countDownDays, 3);  // whole days of the seconds carry over
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 3661);
    EXPECT_EQ(task.scheduleInfo.atLogonWaitQuantity, 1);
    EXPECT_EQ(task.scheduleInfo.atLogonWaitUnit, TimeUnit::minutes);

    task.scheduleInfo.countDownSeconds = 86400;  // exactly one day stays
    task.scheduleInfo.countDownDays = 5000;
    NormalizeTask(task);
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 86400);
    EXPECT_EQ(task.scheduleInfo.countDownDays, 1000);
}

TEST(NormalizeTask, OnceAndCountDownMayEndBeforeTheyStart) {
    for (TaskRecord task : {OnceTask({At(2006, 1, 1)}), ScheduledTask(ScheduleType::countDown)}) {
        task.taskInfo.taskType = TaskType::notice;
        task.soundInfo.type = 0;
        task.scheduleInfo.haveEndingTime = true;
        task.scheduleInfo.endingTime = At(1999, 1, 1);
        EXPECT_TRUE(ValidateTask(task, {}).keep);
    }
}

TEST(DuplicateTimes, ADailyTimeIsTheSameOnAnyDate) {
    const std::vector<DateTime> daily = {TimeOfDayValue(8)};
    EXPECT_FALSE(CheckDailyTimeIsNew(daily, At(2006, 1, 1, 8)).ok());
    EXPECT_TRUE(CheckDailyTimeIsNew(daily, TimeOfDayValue(8, 0, 1)).ok());
}

}  // namespace
}  // namespace tidewell
