#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/task_enums.h"
#include "time/date_time.h"
#include "time/time_unit.h"

namespace tidewell {

// Every record carries every field whatever its types; the types only decide
// which fields are used and stored. The initialisers here are only a starting
// point: a new task gets its defaults from ResetToDefaults.

inline constexpr size_t kMaxTitleLength = 100;  // characters kept of a title
inline constexpr int32_t kMaxOperationWaitingTime = 300;
inline constexpr int32_t kDefaultOperationWaitingTime = 30;

struct TaskInfo {
    TaskType taskType = TaskType::program;                  // "TI TaskType"
    std::string programPath;                                // "TI Program Path"
    std::string parameter;                                  // "TI Parameter"
    std::string macroPath;                                  // "TI Macro Path"
    std::string macroPassword;                              // "TI Macro Password", plain in memory
    std::string noticeMsg;                                  // "TI Notice Msg"
    WindowsOperation swoType = WindowsOperation::shutDown;  // "TI SWO Type"
    bool swoForce = true;                                   // "TI SWO Force"
    int32_t swoWaitingTime = kDefaultOperationWaitingTime;  // "TI SWO Waiting Time", seconds
};

struct SoundInfo {
    bool noticeSound = true;       // "SndI Notice Sound"
    int32_t type = 0;              // "SndI Type": 0 beep, anything else a music file
    int32_t duration = 60;         // "SndI Duration", seconds
    int32_t beepFrequency = 2000;  // "SndI Beep Frequency", Hz
    int32_t beepBeep = 500;        // "SndI Beep Beep", milliseconds
    int32_t beepDelay = 500;       // "SndI Beep Delay", milliseconds
    std::string musicFilePath;     // "SnI Music File Path"
};

// Weekday 1 = Monday ... 7 = Sunday; only the time of day of `time` is used.
struct WeeklyItem {
    int32_t weekday = 1;
    DateTime time;
};

// One entry of a Monthly or Yearly list.
struct MonthlyItem {
    bool everyMonth = true;
    std::array<bool, 12> months{};  // January first; read when everyMonth is false
    bool byDayNumber = true;        // day N of the month, else the N-th weekday
    int32_t day = 1;                // 1..31
    int32_t weekOrdinal = 1;        // 1..4, 5 = last week
    int32_t weekday = 0;            // 0 = Monday ... 6 = Sunday
    DateTime time;                  // time of day only

    bool SelectsMonth(int month) const { return everyMonth || months[static_cast<size_t>(month - 1)]; }
};

// Companion of a daily time: a repeat inside one run. Rebuilt with defaults on
// every load and never stored.
struct RepeatSubSchedule {
    int32_t reserved = 0;
    ScheduleType fatherType = ScheduleType::daily;
    int32_t maxDuration = 0;  // seconds, follows from fatherType
    bool lastingMode = false;
    int32_t lastingQuantity = 10;
    TimeUnit lastingUnit = TimeUnit::seconds;
    int32_t rounds = 10;
    TimeUnit periodUnit = TimeUnit::minutes;
    int32_t periodQuantity = 10;
    int32_t spareUnit = 0;
    int32_t spareQuantity = 10;
};

struct ScheduleInfo {
    ScheduleType type = ScheduleType::once;        // the section name in the file
    DateTime startingTime;                         // "SchI Starting Time"
    bool haveEndingTime = false;                   // "SchI Have Ending Time"
    DateTime endingTime;                           // "SchI Ending Time"
    bool haveNextRunTime = false;                  // "SchI Have Next Run Time"
    DateTime nextRunTime;                          // "SchI Next Run Time"
    bool haveLastRunTime = false;                  // "SchI Have Last Run Time"
    DateTime lastRunTime;                          // "SchI Last Run Time"
    std::vector<DateTime> daily;                   // "SchI Daily", times of day
    std::vector<RepeatSubSchedule> dailyRepeats;   // one per daily time
    std::vector<WeeklyItem> weekly;                // "SchI Weekly"
    std::vector<MonthlyItem> monthly;              // "SchI Monthly"
    std::vector<MonthlyItem> yearly;               // "SchI Yearly"
    std::vector<DateTime> once;                    // "SchI Once or Several Times"
    int32_t repeatQuantity = 10;                   // "SchI Repeaint - Quantity"
    TimeUnit repeatUnit = TimeUnit::minutes;       // "SchI Repeaint - Unit"
    bool countDownShowDays = false;                // "SchI Count Down - Show Days"
    bool countDownRunning = true;                  // "SchI Count Down - Count Down"
    int32_t countDownDays = 0;                     // "SchI Count Down - Days"
    int32_t countDownSeconds = 0;                  // "SchI Count Down - Seconds"
    bool atLogonWait = false;                      // "SchI At Logon - Wait"
    int32_t atLogonWaitQuantity = 3;               // "SchI At Logon - Wait Quantity"
    TimeUnit atLogonWaitUnit = TimeUnit::minutes;  // "SchI At Logon - Wait Unit"
    // Working values of the run time, never stored.
    bool havePreviousRunTime = false;
    DateTime previousRunTime;
};

struct RandomizationInfo {
    bool enable = false;            // "Randomization Enable"
    bool adjustValidRp = true;      // "Randomization Adjust Valid RP"
    int32_t rpTotalSeconds = 1800;  // "Randomization RP Total Seconds"
    int32_t decidedTime = 0;        // "Randomization Decided Time": 0 when set, 1 when due
    bool finalSet = false;          // "Randomization Final Set"
    DateTime finalTime;             // "Randomization Final Time"
    bool overTime = false;          // "Randomization Over Time"
};

struct WaitingInfo {
    int32_t quantity = 24;            // "Waiting Quantity": 0 none, 1..120, 999 keep waiting
    TimeUnit unit = TimeUnit::hours;  // "Waiting Unit"
};

struct TaskRecord {
    bool isClockSyncTask = false;
    std::string title;    // "Title"
    std::string comment;  // "Comment"
    int32_t status = 0;   // "Status"
    bool enabled = true;  // "Enabled"
    TaskInfo taskInfo;
    SoundInfo soundInfo;
    ScheduleInfo scheduleInfo;
    RandomizationInfo randomizationInfo;
    WaitingInfo waitingInfo;
};

// The separator row between the schedule-type groups of the displayed list.
bool IsPlaceholderTask(const TaskRecord& task);
TaskRecord MakePlaceholderTask();

// The first kMaxTitleLength characters of UTF-8 text, never splitting one.
std::string CutTitle(std::string_view title);

}  // namespace tidewell
