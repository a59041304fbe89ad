#include "app/desktop_launcher.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/qt_text.h"
#include "text/text_util.h"

namespace tidewell {

Result DesktopLauncher::Open(const std::string& target) {
    const QUrl url = QUrl::fromUserInput(ToQString(target));
    if (url.isValid() && QDesktopServices::openUrl(url)) return Result::Ok();
    return Result::Fail(ErrorKind::unavailable,
                        ReplaceAll(LoadMessage(IDS_ERROR_HYPERLINK_CAN_NOT_OPEN_LINK), "#1", target));
}

Result DesktopLauncher::Start(const std::string& program, const std::string&, const std::string&) {
    return Result::Fail(ErrorKind::unavailable,
                        ReplaceAll(LoadMessage(IDS_ERROR_FILE_INVALID_EXE), "#1", program));
}

}  // namespace tidewell
