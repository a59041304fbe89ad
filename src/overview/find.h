#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/task_list.h"

namespace tidewell {

// Looking for a text in the tasks' own texts, row by row through the displayed list.

// What a search looks for and how; the view keeps the last one for Find Next.
struct FindOptions {
    std::string text;
    bool wholeWord = false;
    bool matchCase = false;
    bool closeWhenDone = false;  // kept for the dialog; no search reads it
    bool up = false;
    bool startFromCurrent = true;  // start at the selected row itself, else at the one after it

    bool operator==(const FindOptions&) const = default;
};

// The text a task is searched in: its title and comment, then by task type its program path and
// parameter, its macro path or its notice message, then its music file path when its sound
// notice plays music. The parts are joined with a line feed, so a word never runs on into the
// next part and no match spans two of them.
std::string SearchedText(const TaskRecord& task);

// Blank, CR, LF, tab and every printable ASCII character that is neither a letter nor a digit.
// Bytes of multi-byte characters are not separators: a Chinese character is part of a word.
bool IsFindSeparator(char c);

// Whether `text` holds `findText`; letter case counts only with `matchCase` (otherwise both are
// compared by Unicode's simple case folding, in every script), and with `wholeWord` only an occurrence with a
// separator or an end on each side counts. An empty find text matches nothing.
bool TextMatches(std::string_view text, std::string_view findText, bool wholeWord, bool matchCase);

bool TaskMatches(const TaskRecord& task, const FindOptions& options);

// The end of a Find Next over the list.
struct FindOutcome {
    enum class Kind {
        nothing,   // no search was made: no text, no rows, or no row beyond the selected one
        found,     // `row` matches
        notFound,  // rows were tried and none matched
    };
    Kind kind = Kind::nothing;
    std::size_t row = 0;
};

// Tries the rows from the starting row towards the first row (up) or the last (down); the
// starting row is the selected one with start-from-current, else the one after it in the
// direction of the search. Without a selected row, up starts at the last row and down at the
// first. Placeholder rows never match.
FindOutcome FindNextRow(const TaskList& tasks, std::optional<std::size_t> selected,
                        const FindOptions& options);

// How many tasks match; placeholders are not counted.
int CountMatches(const TaskList& tasks, const FindOptions& options);

}  // namespace tidewell
