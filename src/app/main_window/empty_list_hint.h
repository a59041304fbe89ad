#pragma once

#include <QWidget>

class QAbstractItemView;
class QAction;
class QLabel;

namespace tidewell {

// What an empty task list shows in its middle: a line on what to do and the Add Task command
// as a button. It follows the rows: shown while there are none.
class EmptyListHint final : public QWidget {
    Q_OBJECT

public:
    EmptyListHint(QAbstractItemView& view, QAction* addTask);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();

    QAbstractItemView& m_view;
    QLabel* m_text = nullptr;
};

}  // namespace tidewell
