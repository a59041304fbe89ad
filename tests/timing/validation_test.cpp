#include "timing/validation.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "timing/sub_repeat.h"
#include "timing/waiting.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

const std::string kNoTitle = "Task title cannot be blank.";
const std::string kNoProgram = "A valid program name or a file name must be provided.";
const std::string kNoMusic = "A valid music file path must be provided.";
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

// A blank title, a missing program or music file, an ending before the start and an empty list,
// each alone: SheetPagesTest.EachPageRefusesWhatItsRulesRefuse.
TEST_F(ValidationTest, EachRuleAloneInEditorMode) {
    struct Case {
        const char* note;
        std::function<void(TaskRecord&)> change;
        std::string message;  // empty: the task is kept
    };
    const std::vector<Case> cases = {
        {"web address not checked", [](TaskRecord& t) { t.taskInfo.programPath = "https://example.org/x"; },
         ""},
        {"'://' beyond the tenth character is a path",
         [](TaskRecord& t) { t.taskInfo.programPath = "/nowhere/at/all://x"; },
         FileProblem(kNoProgram, "/nowhere/at/all://x")},
        {"false sound type", [](TaskRecord& t) { t.soundInfo.type = 2; },
         "false sound type.\r\n\r\n" + FileProblem(kNoMusic, "")},
        {"music not played",
         [&](TaskRecord& t) { t.soundInfo = {.noticeSound = false, .type = 1, .musicFilePath = m_missing}; },
         ""},
        {"an ending time that is switched off",
         [](TaskRecord& t) { t.scheduleInfo.endingTime = At(1999, 1, 1); }, ""},
        {"several problems together, in order",
         [](TaskRecord& t) {
             t.title = "";
             t.scheduleInfo.daily.clear();
         },
         kNoTitle + "\r\n\r\n" + kNoDay},
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
        {"errors still drop the task, reported alone",
         {.loadMode = true},
         [&](TaskRecord& t) { missingMusic(t), t.title = ""; },
         false,
         kNoTitle},
        {"macro extension in any case", {.macroChecking = true}, macro(m_macro), true, ""},
        {"macro without the extension", {.macroChecking = true}, macro(m_existing), false, {}},
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

TEST(NormalizeTask, TrimsAndCarriesWholeCountDownDays) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.title = "  " + std::string(120, 't') + "  ";
    task.scheduleInfo.countDownSeconds = 86400 + 3661;
    task.scheduleInfo.countDownDays = 2;
    NormalizeTask(task);
    EXPECT_EQ(task.title, std::string(100, 't'));
    EXPECT_EQ(task.scheduleInfo.countDownDays, 3);
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 3661);
    task.scheduleInfo.countDownSeconds = 86400;  // exactly one day stays
    NormalizeTask(task);
    EXPECT_EQ(task.scheduleInfo.countDownSeconds, 86400);
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

RepeatSubSchedule Rounds(int rounds, int periodQuantity, TimeUnit periodUnit,
                         ScheduleType father = ScheduleType::daily) {
    RepeatSubSchedule record = DefaultSubRepeat(father);
    record.lastingMode = false;
    record.rounds = rounds;
    record.periodQuantity = periodQuantity;
    record.periodUnit = periodUnit;
    return record;
}

RepeatSubSchedule Lasting(int quantity, TimeUnit unit, int periodQuantity, TimeUnit periodUnit) {
    RepeatSubSchedule record = Rounds(1, periodQuantity, periodUnit);
    record.lastingMode = true;
    record.lastingQuantity = quantity;
    record.lastingUnit = unit;
    return record;
}

TEST(CheckSubRepeat, FirstBrokenRuleDecidesTheMessage) {
    RepeatSubSchedule wrongMax = Rounds(0, 301, TimeUnit::hours);
    wrongMax.maxDuration = 1;
    using Case = std::tuple<const char*, RepeatSubSchedule, const char*>;
    const Case cases[] = {
        {"exactly the maximum", Rounds(12, 2, TimeUnit::hours), ""},
        {"rounds over the maximum", Rounds(13, 2, TimeUnit::hours),
         "Duration (26 hour(s) = 93,600 second(s)) is larger than maximum duration (24 hour(s) = 86,400 "
         "second(s))"},
        {"lasting shorter than one period", Lasting(10, TimeUnit::minutes, 15, TimeUnit::minutes),
         "Duration (10 minute(s)) is smaller than one period (15 minute(s))"},
        {"period quantity 301 whatever the lasting", Lasting(1, TimeUnit::minutes, 301, TimeUnit::minutes),
         "Period Quantity should be between 1 and 300"},
        {"rounds 0", Rounds(0, 1, TimeUnit::minutes), "Rounds should be between 1 and 300"},
        {"max duration before any quantity", wrongMax, "Wrong Max Duration"},
        {"yearly parent takes 365 days", Rounds(300, 1, TimeUnit::days, ScheduleType::yearly), ""},
    };
    for (const auto& [note, record, expected] : cases) {
        const Result checked = CheckSubRepeat(record);
        EXPECT_EQ(checked.ok(), std::string(expected).empty()) << note;
        EXPECT_EQ(checked.message(), expected) << note;
    }
}

}  // namespace
}  // namespace tidewell
