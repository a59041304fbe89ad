#include "overview/find.h"

#include "overview/case_fold.h"

namespace tidewell {
namespace {

constexpr char kPartJoint = '\n';

}  // namespace

std::string SearchedText(const TaskRecord& task) {
    const TaskInfo& info = task.taskInfo;
    std::string text = task.title + kPartJoint + task.comment;
    switch (info.taskType) {
        case TaskType::program: text += kPartJoint + info.programPath + kPartJoint + info.parameter; break;
        case TaskType::macro: text += kPartJoint + info.macroPath; break;
        case TaskType::notice: text += kPartJoint + info.noticeMsg; break;
        case TaskType::windowsOperation: break;
    }
    const SoundInfo& sound = task.soundInfo;
    if (sound.noticeSound && sound.type != 0) text += kPartJoint + sound.musicFilePath;
    return text;
}

bool IsFindSeparator(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ' || byte == '\r' || byte == '\n' || byte == '\t') return true;
    if (byte < 0x21 || byte > 0x7E) return false;
    const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
    const bool digit = byte >= '0' && byte <= '9';
    return !letter && !digit;
}

bool TextMatches(std::string_view text, std::string_view findText, bool wholeWord, bool matchCase) {
    if (findText.empty()) return false;
    // Folding maps letters to letters, so the separators stay where they were.
    const std::string haystack = matchCase ? std::string(text) : FoldCase(text);
    const std::string needle = matchCase ? std::string(findText) : FoldCase(findText);
    for (std::size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1)) {
        if (!wholeWord) return true;
        const std::size_t end = at + needle.size();
        const bool startsWord = at == 0 || IsFindSeparator(haystack[at - 1]);
        const bool endsWord = end == haystack.size() || IsFindSeparator(haystack[end]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool TaskMatches(const TaskRecord& task, const FindOptions& options) {
    if (IsPlaceholderTask(task)) return false;
    return TextMatches(SearchedText(task), options.text, options.wholeWord, options.matchCase);
}

FindOutcome FindNextRow(const TaskList& tasks, std::optional<std::size_t> selected,
                        const FindOptions& options) {
    FindOutcome outcome;
    const std::size_t count = tasks.size();
    if (options.text.empty() || count == 0) return outcome;
    if (selected && *selected >= count) selected.reset();
    std::size_t start = 0;
    if (options.up) {
        start = count - 1;
        if (selected) {
            if (!options.startFromCurrent && *selected == 0) return outcome;
            start = options.startFromCurrent ? *selected : *selected - 1;
        }
    } else if (selected) {
        if (!options.startFromCurrent && *selected + 1 == count) return outcome;
        start = options.startFromCurrent ? *selected : *selected + 1;
    }
    outcome.kind = FindOutcome::Kind::notFound;
    for (std::size_t row = start;; options.up ? --row : ++row) {
        if (TaskMatches(tasks[row], options)) {
            outcome.kind = FindOutcome::Kind::found;
            outcome.row = row;
            return outcome;
        }
        if ((options.up && row == 0) || (!options.up && row + 1 == count)) break;
    }
    return outcome;
}

int CountMatches(const TaskList& tasks, const FindOptions& options) {
    int count = 0;
    for (const TaskRecord& task : tasks) {
        if (TaskMatches(task, options)) ++count;
    }
    return count;
}

}  // namespace tidewell
