#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidewell {

// Splits a parameter text into program arguments the way a POSIX shell splits words, and does
// nothing else a shell does: no expansion of $, backticks, globs or ~, no redirection, no
// operators, no comments. Only these are interpreted:
// - blanks (space, tab, newline) separate arguments; several in a row count as one;
// - '...' keeps everything up to the next ' as it is;
// - "..." keeps everything, except that a backslash before " \ $ ` takes that character as it
//   is, and a backslash before a newline removes both;
// - outside quotes a backslash takes the next character as it is (a backslash-newline goes);
// - quotes next to other text join it into one argument, and "" or '' alone is an empty one.
// A quote left open runs to the end of the text, as a command line parsed by the program itself
// would have it, so that no text the user wrote is dropped; a final lone backslash stays.
std::vector<std::string> SplitArguments(std::string_view text);

}  // namespace tidewell
