#include "ui_ports/message_box.h"

#include "text/message_table.h"

namespace tidewell {

int MessageBoxService::ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style,
                                      std::string_view detail, bool* showNextTime) {
    MessageBoxCall call;
    call.text = text;
    call.caption = caption;
    call.style = style;
    call.detail = detail;
    call.hasCheckBox = showNextTime != nullptr;
    call.showNextTime = showNextTime != nullptr && *showNextTime;
    if (m_callbackDepth > 0) {
        const std::vector<int> buttons = MessageBoxButtons(style);
        // A question the caller cannot wait for is declined, not asked after the fact.
        if (buttons.size() > 1) return buttons.back();
        PostMessageBox(std::move(call));
        return IDOK;
    }
    const MessageBoxAnswer answer = Show(call);
    if (showNextTime != nullptr) {
        *showNextTime = answer.showNextTime;
    }
    return answer.button;
}

void MessageBoxService::Ask(MessageBoxCall call, Answered answered) {
    if (m_callbackDepth > 0) {
        PostMessageBox(std::move(call), std::move(answered));
        return;
    }
    const MessageBoxAnswer answer = Show(call);
    if (answered) answered(answer);
}

std::vector<int> MessageBoxButtons(uint32_t style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {IDOK};
    }
}

int32_t MessageBoxButtonCaption(int button) {
    switch (button) {
        case IDOK: return IDS_DIALOG_OK;
        case IDCANCEL: return IDS_DIALOG_CANCEL;
        case IDABORT: return IDS_DIALOG_ABORT_A;
        case IDRETRY: return IDS_DIALOG_RETRY_R;
        case IDIGNORE: return IDS_DIALOG_IGNORE_I;
        case IDYES: return IDS_DIALOG_YES_Y;
        case IDNO: return IDS_DIALOG_NO_N;
        default: return 0;
    }
}

}  // namespace tidewell
