#pragma once

#include <QObject>
#include <QPointer>
#include <optional>
#include <string>

#include "app/windows/message_box_dialog.h"
#include "time/date_time.h"

class QLabel;
class QStatusBar;
class QWidget;

namespace tidewell {

class Clock;
class CTidewellDoc;

// Reports the saves of scheduling passes that keep failing without stopping anything: the
// status bar says so while they fail, and a message box that is not modal comes at most once
// a minute, never a second one while the first is open. A save that succeeds clears it.
class SaveFailureNotice final : public QObject {
    Q_OBJECT

public:
    static constexpr int64_t kBoxIntervalSeconds = 60;

    SaveFailureNotice(CTidewellDoc& doc, QStatusBar& statusBar, QWidget& window, const Clock& clock,
                      std::string caption);

    // The open message box, or nullptr.
    MessageBoxDialog* Box() const { return m_box.data(); }

private:
    void Failed(const std::string& message);
    void Recovered();

    CTidewellDoc& m_doc;
    QWidget& m_window;
    const Clock& m_clock;
    const std::string m_caption;
    QLabel* m_label = nullptr;
    QPointer<MessageBoxDialog> m_box;
    std::optional<DateTime> m_lastBox;
};

}  // namespace tidewell
