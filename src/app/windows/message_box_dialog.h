#pragma once

#include <QDialog>
#include <QPointer>
#include <deque>

#include "ui_ports/message_box.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;

namespace tidewell {

// The program's message box: text, icon and buttons of a Windows-style request, an optional
// detail text behind a toggle and an optional "show next time" check box. Buttons are named
// "messageBoxButton<code>" (IDOK ...) so tests can press them.
class MessageBoxDialog final : public QDialog {
    Q_OBJECT

public:
    MessageBoxDialog(const MessageBoxCall& call, QWidget* parent = nullptr);

    MessageBoxAnswer Answer() const;
    void Press(int button);
    // Escape and the close button mean Cancel; a box without Cancel closes so only with one button.
    void reject() override;

private:
    void ToggleDetails();

    std::vector<int> m_buttons;
    int m_pressed = IDCANCEL;
    QPlainTextEdit* m_details = nullptr;
    QPushButton* m_detailsButton = nullptr;
    QCheckBox* m_checkBox = nullptr;
};

// The message box service drawn with MessageBoxDialog: modal over the active window when the
// caller waits for the answer; posted boxes are shown without a modal loop, one at a time.
class QtMessageBox final : public MessageBoxService {
public:
    void PostMessageBox(MessageBoxCall call, Answered answered = {}) override;
    // The posted box on screen, if any.
    MessageBoxDialog* PostedBox() const { return m_shown; }

protected:
    MessageBoxAnswer Show(const MessageBoxCall& call) override;

private:
    void ShowNextPosted();

    struct Posted {
        MessageBoxCall call;
        Answered answered;
    };
    std::deque<Posted> m_posted;
    QPointer<MessageBoxDialog> m_shown;
    // Owns the queued callbacks' connections: none outlives the service.
    QObject m_context;
};

}  // namespace tidewell
