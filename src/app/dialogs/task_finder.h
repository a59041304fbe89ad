#pragma once

#include <optional>
#include <string>

#include "overview/find.h"

namespace tidewell {

class CTidewellView;
class MessageBoxService;

// The task list's find data and its Find Next: the last search's text and options, kept for the
// run of the program, tried from the selected row on.
class TaskFinder {
public:
    TaskFinder(const TaskList& tasks, CTidewellView& view, MessageBoxService& messageBox);

    const FindOptions& Data() const { return m_data; }
    void SetData(FindOptions data);
    bool HasSearched() const { return m_searched; }
    // Whether there are rows to search.
    bool CanSearch() const { return m_tasks.size() > 0; }

    // Selects the next matching row, or says the text was not found. Before any search, and
    // when there is nothing to try, nothing happens. True when a row was selected.
    bool FindNext();
    // The count of matching tasks, told in a message.
    int ShowCount();

private:
    const TaskList& m_tasks;
    CTidewellView& m_view;
    MessageBoxService& m_messageBox;
    FindOptions m_data;
    bool m_searched = false;
    // The row the last search selected. Searching again from it goes on past it, whatever
    // the starting item: otherwise Find Next would find the same row for ever.
    std::optional<std::size_t> m_lastFound;
};

}  // namespace tidewell
