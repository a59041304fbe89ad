#include "app/dialogs/task_finder.h"

#include <QApplication>

#include "app/main_window/tidewell_view.h"
#include "base/text_util.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

TaskFinder::TaskFinder(const TaskList& tasks, CTidewellView& view, MessageBoxService& messageBox)
    : m_tasks(tasks), m_view(view), m_messageBox(messageBox) {}

void TaskFinder::SetData(FindOptions data) {
    if (!m_searched || !(data == m_data)) m_lastFound.reset();
    m_data = std::move(data);
    m_searched = true;
}

bool TaskFinder::FindNext() {
    if (!m_searched) return false;
    const std::optional<std::size_t> selected = m_view.SelectedIndex();
    FindOptions search = m_data;
    if (selected && selected == m_lastFound) search.startFromCurrent = false;
    const FindOutcome outcome = FindNextRow(m_tasks, selected, search);
    switch (outcome.kind) {
        case FindOutcome::Kind::nothing: return false;
        case FindOutcome::Kind::found:
            m_view.SelectIndex(outcome.row);
            m_lastFound = outcome.row;
            return true;
        case FindOutcome::Kind::notFound:
            m_messageBox.ShowMessageBox(
                ReplaceAll(LoadMessage(IDS_DIALOG_FIND_MESSAGE_FIND_STRING_NOT_FOUND), "#1", m_data.text),
                LoadMessage(IDS_DIALOG_FIND_TITLE), MB_OK | MB_ICONINFORMATION);
            return false;
    }
    return false;
}

int TaskFinder::ShowCount() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int count = CountMatches(m_tasks, m_data);
    QApplication::restoreOverrideCursor();
    const auto yesNo = [](bool on) { return LoadMessage(on ? IDS_DIALOG_YES : IDS_DIALOG_NO); };
    std::string text = LoadMessage(IDS_DIALOG_FIND_MESSAGE_FIND_COUNT);
    // The find text goes in last: a "#2" it may hold stays as typed.
    text = ReplaceAll(std::move(text), "#4", std::to_string(count));
    text = ReplaceAll(std::move(text), "#3", yesNo(m_data.matchCase));
    text = ReplaceAll(std::move(text), "#2", yesNo(m_data.wholeWord));
    text = ReplaceAll(std::move(text), "#1", m_data.text);
    m_messageBox.ShowMessageBox(text, LoadMessage(IDS_DIALOG_FIND_TITLE), MB_OK | MB_ICONINFORMATION);
    return count;
}

}  // namespace tidewell
