#include "overview/find.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskRecord Task(std::string title, TaskType type = TaskType::notice) {
    TaskRecord task = ScheduledTask(ScheduleType::daily);
    task.title = std::move(title);
    task.taskInfo.taskType = type;
    task.soundInfo.noticeSound = false;
    return task;
}

// Letter case is folded by Unicode's simple case folding in every script, not in ASCII alone.
TEST(Find, CaseFoldingOverScripts) {
    struct Case {
        const char* note;
        const char* text;
        const char* find;
        bool wholeWord;
        bool matches;
    };
    const Case cases[] = {
        {"Latin with diacritics", "Wöchentlicher Bericht", "WÖCHENTLICHER", true, true},
        {"capital sharp s folds to sharp s", "Straße", "STRAẞE", true, true},
        {"simple folding never expands sharp s", "Straße", "STRASSE", false, false},
        {"Greek with tonos", "Καλημέρα κόσμε", "ΚΑΛΗΜΈΡΑ", true, true},
        {"Greek final sigma", "οδός", "ΟΔΌΣ", true, true},
        {"Cyrillic yo", "ЁЛКА", "ёлка", false, true},
        {"full-width", "ＡＢＣ会议", "ａｂｃ", false, true},
        {"Kelvin sign is three bytes, k one", "20 \u212A", "k", true, true},
        {"Chinese has no case", "备份 run", "备份", true, true},
        {"a byte that is no UTF-8 stays itself",
         "\xFF"
         "Abc",
         "aBC", false, true},
        {"folding does not join different letters", "Wochentlicher", "WÖCHENTLICHER", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextMatches(c.text, c.find, c.wholeWord, false), c.matches) << c.note;
    EXPECT_FALSE(TextMatches("Wöchentlicher", "WÖCHENTLICHER", false, true)) << "match case keeps case";
}

// Rows: 0 "alpha", 1 placeholder, 2 "beta alpha", 3 "gamma", 4 "alpha again".
TaskList Rows() {
    TaskList list;
    list.Add(Task("alpha"));
    list.Add(MakePlaceholderTask());
    list.Add(Task("beta alpha"));
    list.Add(Task("gamma"));
    list.Add(Task("alpha again"));
    return list;
}

TEST(Find, NextRowInBothDirections) {
    using Kind = FindOutcome::Kind;
    struct Case {
        const char* text;
        bool up;
        bool startFromCurrent;
        std::optional<std::size_t> selected;
        Kind kind;
        std::size_t row;
    };
    const Case cases[] = {
        {"alpha", false, true, 0, Kind::found, 0},
        {"alpha", false, false, 0, Kind::found, 2},
        {"alpha", false, false, 4, Kind::nothing, 0},  // the last row and the next item: no message
        {"gamma", false, false, 3, Kind::notFound, 0},
        {"alpha", false, true, std::nullopt, Kind::found, 0},
        {"alpha", true, true, 4, Kind::found, 4},
        {"alpha", true, false, 4, Kind::found, 2},
        {"alpha", true, false, 0, Kind::nothing, 0},
        {"beta", true, false, 0, Kind::nothing, 0},
        {"gamma", true, true, std::nullopt, Kind::found, 3},
        {"delta", true, true, 4, Kind::notFound, 0},
        {"", false, true, 0, Kind::nothing, 0},
    };
    const TaskList list = Rows();
    for (const Case& c : cases) {
        FindOptions options;
        options.text = c.text;
        options.up = c.up;
        options.startFromCurrent = c.startFromCurrent;
        const FindOutcome outcome = FindNextRow(list, c.selected, options);
        EXPECT_EQ(outcome.kind, c.kind) << c.text << " up " << c.up << " from " << c.selected.value_or(99);
        if (c.kind == Kind::found) {
            EXPECT_EQ(outcome.row, c.row) << c.text;
        }
    }
    EXPECT_EQ(FindNextRow(TaskList(), std::nullopt, FindOptions{"alpha"}).kind, Kind::nothing);
}

}  // namespace
}  // namespace tidewell
