#pragma once

#include <string>
#include <string_view>

#include "model/task_record.h"
#include "text/list_texts.h"
#include "timing/next_run_context.h"

namespace tidewell {

// Words for a task, as the wizard's summary page and the task list show them. Every text comes
// from the message table in the current language; sections hold CR LF line breaks.

// How month lists are written; the options page keeps both under "Schedule".
inline constexpr const char* kDescriptionSettingsSection = "Schedule";
inline constexpr const char* kYearlySummaryUseRangeKey = "m_bYearlySummaryUseRange";
inline constexpr const char* kYearlySummaryMonthFormatKey = "m_nYearlySummaryMonthFormat";

struct DescriptionOptions {
    bool useRange = true;                 // consecutive months as "Jan-Mar"
    int monthFormat = kMonthFormatShort;  // kMonthFormatShort or kMonthFormatFull
};

// Texts that take the place of a section when a record holds an unknown type code.
inline constexpr std::string_view kFalseTaskTypeText = "false task type.\r\n\r\n";
inline constexpr std::string_view kFalseScheduleTypeText = "false schedule type.\r\n\r\n";

// Paths and notice texts are shortened to these many characters.
inline constexpr std::size_t kDescriptionPathLength = 80;
inline constexpr std::size_t kDescriptionNoticeLength = 40;

// A path of at most maxChars characters: inner folders give way to ".../", keeping the first
// folder and as many of the last parts as fit; a file name that cannot fit even alone is cut
// and ends in "...". Never splits a multi-byte character.
std::string ShortenPath(std::string_view path, std::size_t maxChars);
// The first maxChars - 3 characters and "..." when the text is longer than maxChars.
std::string ShortenText(std::string_view text, std::size_t maxChars);

// What the task does: run a program, open a file, run a macro, show a notice or a system
// operation. A program is named by its extension (".exe", ".com", ".bat", ".sh") or by having
// none, as programs on this system mostly do; any other name, a folder or a URL is opened.
std::string TaskSectionText(const TaskRecord& task);
bool LooksLikeProgram(std::string_view path);

// The sound notice: not used, beep or music.
std::string SoundSectionText(const SoundInfo& sound);

// The lists of a schedule as the schedule text fills them in.
std::string DescribeTimeList(const std::vector<DateTime>& times);
std::string DescribeWeeklyList(const std::vector<WeeklyItem>& items);
std::string DescribeOnceList(std::vector<DateTime> times);  // ascending, each date written once
std::string DescribeMonthList(const std::vector<MonthlyItem>& items, const DescriptionOptions& options);
// The month part of one entry, without the blank that follows it.
std::string DescribeMonthPart(const MonthlyItem& item, const DescriptionOptions& options);

// The count-down length "%H:%M:%S", or "2day(s) 01:30:00" with days.
std::string CountDownLengthText(const ScheduleInfo& schedule);

// "Start/End: 3-1-2006 08:00:00 - N/A".
std::string StartEndLine(const ScheduleInfo& schedule);

// The type's filled schedule text, without the start/end line.
std::string ScheduleText(const TaskRecord& task, const DescriptionOptions& options);

// The randomization marker step over a schedule text: unchanged without randomization,
// "Randomized...<final time>" while a decided final time lies ahead of now, else the text
// followed by "+ Randomization".
std::string WithRandomizationMarker(std::string text, const TaskRecord& task, const DateTime& now);

// The schedule section: the marked schedule text, a line break and the start/end line.
std::string ScheduleSectionText(const TaskRecord& task, const DescriptionOptions& options,
                                const DateTime& now);

// The randomization section: the valid random period, when the final time is decided and the
// final time the task holds ("Undecided" without one). It never draws a time: whoever decides
// one (the randomization page, the loader, the scheduler) stores it first.
std::string RandomizationSectionText(const TaskRecord& task, const NextRunContext& context);

// The when-busy section.
std::string WaitingSectionText(const WaitingInfo& waiting);

struct TaskDescription {
    std::string task;
    std::string sound;
    std::string schedule;
    std::string randomization;
    std::string waiting;
};
// Every section of a task, as the task holds it.
TaskDescription DescribeTask(const TaskRecord& task, const DescriptionOptions& options,
                             const NextRunContext& context);

// The two examples of the options page's month-format choice, filled into the lines of its
// label row: "Use range(s) ... (e.g. Jan-Mar...)" and "List every ... (e.g. Jan, Feb, Mar...)".
struct MonthFormatExamples {
    std::string useRange;
    std::string listEvery;
};
MonthFormatExamples MonthFormatExampleTexts(int monthFormat);

}  // namespace tidewell
