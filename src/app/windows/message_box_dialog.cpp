#include "app/windows/message_box_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widgets/qt_text.h"

namespace tidewell {
namespace {

QStyle::StandardPixmap IconOf(uint32_t style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONHAND: return QStyle::SP_MessageBoxCritical;
        case MB_ICONQUESTION: return QStyle::SP_MessageBoxQuestion;
        case MB_ICONEXCLAMATION: return QStyle::SP_MessageBoxWarning;
        case MB_ICONASTERISK: return QStyle::SP_MessageBoxInformation;
        default: return QStyle::SP_CustomBase;
    }
}

QLabel* IconLabel(uint32_t style, QWidget* parent) {
    const QStyle::StandardPixmap pixmap = IconOf(style);
    if (pixmap == QStyle::SP_CustomBase) return nullptr;
    auto* label = new QLabel(parent);
    label->setObjectName("messageBoxIcon");
    const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, parent);
    label->setPixmap(parent->style()->standardIcon(pixmap, nullptr, parent).pixmap(size, size));
    label->setAlignment(Qt::AlignTop);
    return label;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const MessageBoxCall& call, QWidget* parent)
    : QDialog(parent), m_buttons(MessageBoxButtons(call.style)) {
    setObjectName("messageBox");
    setWindowTitle(DisplayText(call.caption));
    auto* layout = new QVBoxLayout(this);
    auto* textRow = new QHBoxLayout;
    if (QLabel* icon = IconLabel(call.style, this)) textRow->addWidget(icon);
    auto* text = new QLabel(DisplayText(call.text), this);
    text->setObjectName("messageBoxText");
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(320);
    textRow->addWidget(text, 1);
    layout->addLayout(textRow);

    if (call.hasCheckBox) {
        m_checkBox = new QCheckBox(MessageText(IDS_DIALOG_VT_MESSAGE_BOX_SHOW_NEXT_TIME_S), this);
        m_checkBox->setObjectName("messageBoxShowNextTime");
        m_checkBox->setChecked(call.showNextTime);
        layout->addWidget(m_checkBox);
    }
    auto* buttons = new QDialogButtonBox(this);
    if (!call.detail.empty()) {
        m_detailsButton = buttons->addButton(MessageText(IDS_DIALOG_VT_MESSAGE_BOX_SHOW_DETAILS_D),
                                             QDialogButtonBox::ActionRole);
        m_detailsButton->setObjectName("messageBoxDetailsButton");
        connect(m_detailsButton, &QPushButton::clicked, this, &MessageBoxDialog::ToggleDetails);
    }
    for (int code : m_buttons) {
        QPushButton* button =
            buttons->addButton(MessageText(MessageBoxButtonCaption(code)), QDialogButtonBox::AcceptRole);
        button->setObjectName(QStringLiteral("messageBoxButton%1").arg(code));
        connect(button, &QPushButton::clicked, this, [this, code] { Press(code); });
        if (code == m_buttons.front()) button->setDefault(true);
    }
    layout->addWidget(buttons);
    if (!call.detail.empty()) {
        m_details = new QPlainTextEdit(DisplayText(call.detail), this);
        m_details->setObjectName("messageBoxDetails");
        m_details->setReadOnly(true);
        m_details->hide();
        layout->addWidget(m_details);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

MessageBoxAnswer MessageBoxDialog::Answer() const {
    return {m_pressed, m_checkBox != nullptr && m_checkBox->isChecked()};
}

void MessageBoxDialog::Press(int button) {
    m_pressed = button;
    done(button);
}

void MessageBoxDialog::reject() {
    if (std::find(m_buttons.begin(), m_buttons.end(), IDCANCEL) != m_buttons.end()) {
        Press(IDCANCEL);
    } else if (m_buttons.size() == 1) {
        Press(m_buttons.front());
    }
}

void MessageBoxDialog::ToggleDetails() {
    const bool show = m_details->isHidden();
    m_details->setVisible(show);
    m_detailsButton->setText(MessageText(show ? IDS_DIALOG_VT_MESSAGE_BOX_HIDE_DETAILS_D
                                              : IDS_DIALOG_VT_MESSAGE_BOX_SHOW_DETAILS_D));
}

void QtMessageBox::PostMessageBox(MessageBoxCall call, Answered answered) {
    m_posted.push_back({std::move(call), std::move(answered)});
    // Shown from the event loop, after the callback that posted it has returned.
    if (m_posted.size() == 1 && m_shown.isNull())
        QTimer::singleShot(0, &m_context, [this] { ShowNextPosted(); });
}

void QtMessageBox::ShowNextPosted() {
    if (m_posted.empty() || !m_shown.isNull()) return;
    Posted next = std::move(m_posted.front());
    m_posted.pop_front();
    // No parent: a window closed meanwhile must not take the box and its answer with it.
    auto* box = new MessageBoxDialog(next.call);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    m_shown = box;
    QObject::connect(box, &QDialog::finished, &m_context, [this, box, answered = std::move(next.answered)] {
        const MessageBoxAnswer answer = box->Answer();
        m_shown = nullptr;
        if (answered) answered(answer);
        QTimer::singleShot(0, &m_context, [this] { ShowNextPosted(); });
    });
    box->show();
}

MessageBoxAnswer QtMessageBox::Show(const MessageBoxCall& call) {
    MessageBoxDialog dialog(call, QApplication::activeWindow());
    dialog.exec();
    return dialog.Answer();
}

}  // namespace tidewell
