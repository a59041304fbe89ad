#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/task_list.h"
#include "schedule_file/schedule_store.h"
#include "time/clock.h"
#include "ui_ports/message_box.h"

namespace tidewell::cli {

// What the describe, stats and agenda commands share: their options and the loading of the
// schedule file, never changing it or the user's settings.

struct ViewOptions {
    std::string file;
    std::string password;
    std::optional<DateTime> now;  // the system clock when not given
    std::optional<DateTime> from;
    std::optional<DateTime> to;
    std::optional<int> maxRuns;
    std::optional<int> quickView;  // 1 = the first Quick View of the user's qv.ini
    bool json = false;
    bool ical = false;  // agenda: an iCalendar file instead of lines
};

// Which options a command takes besides FILE, --password and --now.
enum ViewOption : unsigned { kRangeOptions = 1, kJsonOption = 2, kICalOption = 4 };

// Reads "FILE [options]"; on failure `error` says which argument is wrong (empty when the
// command line lacks FILE).
std::optional<ViewOptions> ParseViewOptions(const std::vector<std::string>& arguments, unsigned accepted,
                                            std::string& error);

// "\"#1\" contains invalid character(s)." for an argument.
std::string InvalidArgument(std::string_view argument);

struct LoadedSchedule {
    TaskList tasks;
    LoadReport report;
    std::string failure;  // why the file gave nothing; empty when it loaded
};

// Loads the file as the program would, with its validation messages going to `messages`, never
// changing the file or the user's settings. `password` opens a protected file.
LoadedSchedule LoadSchedule(const std::string& file, const std::string& password, const Clock& clock,
                            MessageBoxService& messages, bool displayOrder);

// A JSON string literal of UTF-8 text.
std::string JsonText(std::string_view text);

// Text with CR LF line breaks as plain line ends.
std::string PlainLines(std::string_view text);

}  // namespace tidewell::cli
