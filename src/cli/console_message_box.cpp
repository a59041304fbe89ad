#include "cli/console_message_box.h"

#include "base/text_util.h"

namespace tidewell::cli {

MessageBoxAnswer ConsoleMessageBox::Show(const MessageBoxCall& call) {
    ++m_shown;
    // One paragraph per line group, with the file's CR LF turned into plain line ends.
    m_out << ReplaceAll(call.text, "\r\n", "\n") << "\n\n";
    std::vector<int> buttons = MessageBoxButtons(call.style);
    return {buttons.empty() ? IDOK : buttons.front(), call.showNextTime};
}

}  // namespace tidewell::cli
