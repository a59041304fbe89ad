#pragma once

#include <QDialog>

#include "ui_ports/countdown_window.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace tidewell {

// The count-down before a system operation: it counts down once a second and ends with the
// operation when one second or less remains, or at once with the "Right Now" button; Cancel
// and the close box end it without the operation.
class CountdownDialog final : public QDialog {
    Q_OBJECT

public:
    CountdownDialog(const CountdownRequest& request, std::function<void(CountdownOutcome)> done,
                    QWidget* parent = nullptr);

    int SecondsLeft() const { return m_secondsLeft; }
    // One second of the count-down; the dialog's timer calls it.
    void Tick();

private:
    void ShowRemaining();
    void Finish(CountdownOutcome outcome);

    CountdownRequest m_request;
    std::function<void(CountdownOutcome)> m_done;
    int m_secondsLeft;
    QLabel* m_prompt;
    QProgressBar* m_progress;
    QTimer* m_timer;
};

class QtCountdownWindow final : public CountdownWindowService {
public:
    void ShowCountdown(const CountdownRequest& request, std::function<void(CountdownOutcome)> done) override;
};

}  // namespace tidewell
