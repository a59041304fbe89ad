#include "app/task_sheet/random_time_editor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "text/messages.h"

namespace tidewell {

CRandomTimeEditor::CRandomTimeEditor(const DateTime& scheduled, int64_t offset, int64_t period,
                                     QWidget* parent)
    : QDialog(parent), m_scheduled(scheduled), m_offset(new QSpinBox(this)), m_actual(new QLineEdit(this)) {
    setObjectName("randomTimeEditor");
    setWindowTitle(MessageText(IDS_TIDEWELL_RANDOM_EDITOR_TITLE));
    m_offset->setObjectName("randomOffsetSpin");
    m_offset->setRange(1, static_cast<int>(std::clamp<int64_t>(period, 1, std::numeric_limits<int>::max())));
    m_offset->setSuffix(QStringLiteral(" ") + MessageText(IDS_TIDEWELL_UNIT_SECONDS));
    m_offset->setGroupSeparatorShown(true);
    m_actual->setObjectName("randomActualTime");
    m_actual->setReadOnly(true);
    // Room for the whole time, and the offset field as wide.
    const int width = m_actual->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 24;
    m_actual->setMinimumWidth(width);
    m_offset->setMinimumWidth(width);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("randomTimeOkButton");
    ok->setDefault(true);
    buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)
        ->setObjectName("randomTimeCancelButton");
    auto* form = new QFormLayout;
    QLabel* offsetLabel = new QLabel(PlainCaption(IDS_TIDEWELL_RANDOM_EDITOR_OFFSET) + ':', this);
    offsetLabel->setObjectName("randomOffsetLabel");
    form->addRow(offsetLabel, m_offset);
    form->addRow(PlainCaption(IDS_TIDEWELL_RANDOM_EDITOR_ACTUAL_TIME) + ':', m_actual);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_offset, &QSpinBox::valueChanged, this, &CRandomTimeEditor::ShowActualTime);
    SetOffset(offset);
    ShowActualTime();
}

int64_t CRandomTimeEditor::Offset() const {
    return m_offset->value();
}

void CRandomTimeEditor::SetOffset(int64_t offset) {
    m_offset->setValue(
        static_cast<int>(std::clamp<int64_t>(offset, m_offset->minimum(), m_offset->maximum())));
}

DateTime CRandomTimeEditor::FinalTime() const {
    return m_scheduled + TimeSpan::FromSeconds(Offset());
}

void CRandomTimeEditor::ShowActualTime() {
    m_actual->setText(ToQString(FinalTime().Format(kStorageFormat)));
}

}  // namespace tidewell
