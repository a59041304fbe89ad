#pragma once

#include <QDialog>

#include "text/message_box.h"

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

// The message box service drawn with MessageBoxDialog, modal over the active window.
class QtMessageBox final : public MessageBoxService {
protected:
    MessageBoxAnswer Show(const MessageBoxCall& call) override;
};

}  // namespace tidewell
