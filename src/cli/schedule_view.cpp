#include "cli/schedule_view.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "base/text_util.h"
#include "crypto/protected_container.h"
#include "platform/memory_settings.h"
#include "platform/system_sleeper.h"
#include "schedule_file/schedule_store.h"
#include "text/messages.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

constexpr int kMaxRunsLimit = 1000000;
constexpr int kMaxQuickViewNumber = 100000;

std::optional<int> PositiveNumber(const std::string& text, int limit) {
    bool digits =
        !text.empty() && text.size() <= 7 && text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return std::nullopt;
    int value = std::stoi(text);
    if (value < 1 || value > limit) return std::nullopt;
    return value;
}

std::optional<DateTime> Instant(const std::string& text) {
    DateTime value = ParseDateTime(text);
    if (!value.IsValid()) return std::nullopt;
    return value;
}

// Reads the value of one option; false when it does not read.
bool ReadOption(const std::string& name, const std::string& value, ViewOptions& options) {
    if (name == "--password") {
        options.password = value;
        return true;
    }
    if (name == "--now") return (options.now = Instant(value)).has_value();
    if (name == "--from") return (options.from = Instant(value)).has_value();
    if (name == "--to") return (options.to = Instant(value)).has_value();
    if (name == "--max-runs") return (options.maxRuns = PositiveNumber(value, kMaxRunsLimit)).has_value();
    if (name == "--quick-view")
        return (options.quickView = PositiveNumber(value, kMaxQuickViewNumber)).has_value();
    return false;
}

bool Accepts(const std::string& name, unsigned accepted) {
    if (name == "--password" || name == "--now") return true;
    if (name == "--from" || name == "--to" || name == "--max-runs" || name == "--quick-view")
        return (accepted & kRangeOptions) != 0;
    return false;
}

}  // namespace

std::string InvalidArgument(std::string_view argument) {
    return ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1", argument);
}

std::optional<ViewOptions> ParseViewOptions(const std::vector<std::string>& arguments, unsigned accepted,
                                            std::string& error) {
    if (arguments.empty()) return std::nullopt;
    ViewOptions options;
    options.file = arguments[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--json" && (accepted & kJsonOption) != 0) {
            options.json = true;
            continue;
        }
        if (name == "--ical" && (accepted & kICalOption) != 0) {
            options.ical = true;
            continue;
        }
        if (!Accepts(name, accepted) || i + 1 == arguments.size()) {
            error = InvalidArgument(name);
            return std::nullopt;
        }
        if (!ReadOption(name, arguments[++i], options)) {
            error = InvalidArgument(arguments[i]);
            return std::nullopt;
        }
    }
    return options;
}

LoadedSchedule LoadSchedule(const std::string& file, const std::string& password, const Clock& clock,
                            MessageBoxService& messages, bool displayOrder) {
    StandardRandomSource random;
    MemorySettings settings;
    ScheduleStoreContext context{clock, random, settings, messages, password};
    LoadOptions loadOptions;
    loadOptions.keepDamagedAside = false;
    loadOptions.displayOrder = displayOrder;
    LoadedSchedule loaded;
    loaded.report = LoadTaskList(file, loaded.tasks, context, loadOptions);
    if (loaded.report.loaded) return loaded;
    if (loaded.report.failure.kind() == ErrorKind::wrongPassword) {
        // The tool's own wait: a wrong guess costs its time, and no window waits on it.
        SystemSleeper sleeper;
        sleeper.Sleep(kWrongKeyDelay);
    }
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        loaded.failure = ReplaceAll(LoadMessage(IDS_ERROR_FILE_FILE_NOT_FOUND), "#1", file);
    } else {
        loaded.failure = loaded.report.failure.ok() ? LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH)
                                                    : loaded.report.failure.message();
    }
    return loaded;
}

std::string JsonText(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

std::string PlainLines(std::string_view text) {
    return ReplaceAll(std::string(text), "\r\n", "\n");
}

}  // namespace tidewell::cli
