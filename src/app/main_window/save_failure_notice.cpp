#include "app/main_window/save_failure_notice.h"

#include <QLabel>
#include <QStatusBar>

#include "app/main_window/tidewell_doc.h"
#include "app/widgets/qt_text.h"
#include "app/windows/message_box_dialog.h"
#include "base/text_util.h"
#include "time/clock.h"

namespace tidewell {

SaveFailureNotice::SaveFailureNotice(CTidewellDoc& doc, QStatusBar& statusBar, QWidget& window,
                                     const Clock& clock, std::string caption)
    : QObject(&window), m_doc(doc), m_window(window), m_clock(clock), m_caption(std::move(caption)) {
    m_label = new QLabel(&statusBar);
    m_label->setObjectName("statusSaveFailure");
    statusBar.addPermanentWidget(m_label);
    m_label->hide();
    connect(&doc, &CTidewellDoc::saveFailing, this, &SaveFailureNotice::Failed);
    connect(&doc, &CTidewellDoc::saveRecovered, this, &SaveFailureNotice::Recovered);
}

void SaveFailureNotice::Failed(const std::string& message) {
    const std::string state =
        ReplaceAll(LoadMessage(IDS_MESSAGE_SAVE_KEEPS_FAILING), "#1", m_doc.ScheduleFile());
    m_label->setText(DisplayText(state));
    m_label->show();
    const DateTime now = m_clock.Now();
    const bool boxOpen = m_box != nullptr && m_box->isVisible();
    if (boxOpen ||
        (m_lastBox && (now - *m_lastBox).GetTotalSeconds() < kBoxIntervalSeconds && *m_lastBox <= now)) {
        return;
    }
    m_lastBox = now;
    MessageBoxCall call;
    call.text = message + "\r\n\r\n" + state;
    call.caption = m_caption;
    call.style = MB_OK | MB_ICONEXCLAMATION;
    // Not modal: passes, timers and the list go on while it is open.
    m_box = new MessageBoxDialog(call, &m_window);
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    m_box->setWindowModality(Qt::NonModal);
    m_box->show();
}

void SaveFailureNotice::Recovered() {
    m_label->hide();
    m_label->clear();
    m_lastBox.reset();
    if (m_box != nullptr) m_box->close();
}

}  // namespace tidewell
