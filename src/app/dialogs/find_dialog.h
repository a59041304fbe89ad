#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace tidewell {

class SettingsPort;
class TaskFinder;

// The Find dialog over the task list: the find text with its history, the options, Find Next
// and Find Count. The options and the history are read when it opens and stored when it closes.
class FindDialog final : public QDialog {
    Q_OBJECT

public:
    FindDialog(TaskFinder& finder, SettingsPort& settings, QWidget* parent = nullptr);

    std::vector<std::string> History() const;

    void OnFindNext();
    void OnFindCount();
    void done(int result) override;

private:
    void TakeSearch();
    void UpdateButtons();

    TaskFinder& m_finder;
    SettingsPort& m_settings;
    QComboBox* m_findWhat = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_closeWhenDone = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QRadioButton* m_currentItem = nullptr;
    QRadioButton* m_nextItem = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_findCount = nullptr;
};

}  // namespace tidewell
