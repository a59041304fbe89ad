#include "cli/options.h"

#include <algorithm>

#include "base/text_util.h"
#include "text/messages.h"

namespace tidewell::cli {
namespace {

constexpr const char* kList = "list";
constexpr const char* kUpcoming = "upcoming";
constexpr const char* kCheck = "check";

Result Invalid(std::string_view argument) {
    return Result::Fail(
        ErrorKind::invalid,
        ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1", argument));
}

Result Missing() {
    return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_MESSAGE_STRING_INPUT_STRING_IS_BLANK));
}

// The options each command takes.
bool Takes(const std::string& command, const std::string& option) {
    if (option == "--password") return true;
    if (command == kUpcoming) return option == "--from" || option == "--count" || option == "--json";
    return option == "--now";
}

Result ReadInstant(const std::string& text, std::optional<DateTime>& instant) {
    DateTime value = ParseDateTime(text);
    if (!value.IsValid()) return Invalid(text);
    instant = value;
    return Result::Ok();
}

Result ReadCount(const std::string& text, int& count) {
    // At most five digits, so that the number cannot overflow.
    bool digits = !text.empty() && text.size() <= 5 &&
                  std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    count = digits ? std::stoi(text) : 0;
    if (count < 1 || count > kMaxCount) return Invalid(text);
    return Result::Ok();
}

Result ReadOption(const std::string& name, const std::string& value, Options& options) {
    if (name == "--password") {
        options.password = value;
        return Result::Ok();
    }
    if (name == "--now") return ReadInstant(value, options.now);
    if (name == "--from") return ReadInstant(value, options.from);
    return ReadCount(value, options.count);
}

}  // namespace

Result ParseOptions(const std::vector<std::string>& arguments, Options& options) {
    options = Options{};
    if (arguments.empty()) return Missing();
    options.command = arguments[0];
    if (options.command != kList && options.command != kUpcoming && options.command != kCheck) {
        return Invalid(options.command);
    }
    if (arguments.size() < 2 || arguments[1].empty()) return Missing();
    options.file = arguments[1];
    for (size_t i = 2; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (!Takes(options.command, name)) return Invalid(name);
        if (name == "--json") {
            options.json = true;
            continue;
        }
        if (i + 1 == arguments.size()) return Missing();
        if (Result read = ReadOption(name, arguments[++i], options); !read) return read;
    }
    if (options.command == kUpcoming && !options.from) return Missing();
    return Result::Ok();
}

}  // namespace tidewell::cli
