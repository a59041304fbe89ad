#include "app/windows/notice_window.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/widgets/program_icon.h"
#include "app/widgets/qt_text.h"

namespace tidewell {

void QtNoticeWindow::ShowNotice(const std::string& caption, const std::string& text,
                                std::function<void()> closed) {
    auto* box = new QMessageBox(QMessageBox::Information, ToQString(caption), DisplayText(text));
    box->setObjectName("noticeWindow");
    box->setWindowIcon(ProgramIcon());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    QPushButton* ok = box->addButton(MessageText(IDS_DIALOG_OK), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)](int) {
        if (closed) closed();
    });
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace tidewell
