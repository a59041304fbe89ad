#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tidewell {

// Button sets (low four bits of the style), with the values of the Windows message box.
inline constexpr uint32_t MB_OK = 0x00;
inline constexpr uint32_t MB_OKCANCEL = 0x01;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x02;
inline constexpr uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr uint32_t MB_YESNO = 0x04;
inline constexpr uint32_t MB_RETRYCANCEL = 0x05;
inline constexpr uint32_t MB_TYPEMASK = 0x0F;

// Icons (bits 4 to 7 of the style).
inline constexpr uint32_t MB_ICONHAND = 0x10;
inline constexpr uint32_t MB_ICONERROR = MB_ICONHAND;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr uint32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr uint32_t MB_ICONASTERISK = 0x40;
inline constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr uint32_t MB_ICONMASK = 0xF0;

// The button the user pressed.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// One request to the message box.
struct MessageBoxCall {
    std::string text;
    std::string caption;
    uint32_t style = MB_OK;
    std::string detail;         // shown only after "&Details >>"; empty: no detail toggle
    bool hasCheckBox = false;   // "&Show this message next time"
    bool showNextTime = false;  // its initial state
};

struct MessageBoxAnswer {
    int button = IDOK;
    bool showNextTime = false;  // final state of the check box
};

// The program's one message box. The Qt shell draws it; tests record it.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    // Shows the box and returns the pressed button. With `showNextTime` the box carries the
    // check box, starting in *showNextTime; its final state is written back.
    int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style = MB_OK,
                       std::string_view detail = {}, bool* showNextTime = nullptr);

    // Queues the box and returns at once, for what a scheduling pass, a timer or a socket has to
    // say: nothing waits for the user. Boxes are shown one at a time, in the order queued, once
    // the caller's callback has returned; `answered` (may be empty) runs when the user closes it.
    using Answered = std::function<void(const MessageBoxAnswer&)>;
    virtual void PostMessageBox(MessageBoxCall call, Answered answered = {}) = 0;

    // Asks and hands the user's answer (button and check box) to `answered`: at once, or, inside
    // a callback, once the callback has returned and the user has closed the queued box. What
    // may be asked from a callback is asked this way.
    void Ask(MessageBoxCall call, Answered answered);

    // Marks a callback (a timer, a socket, a bus call, a scheduling pass) while it lives: no
    // modal loop may run inside one. ShowMessageBox then posts a box that only informs and
    // answers OK at once; a question it cannot wait for gets its refusing button, so questions
    // that a callback may raise go through Ask.
    class CallbackScope {
    public:
        explicit CallbackScope(MessageBoxService& service) : m_service(service) {
            ++m_service.m_callbackDepth;
        }
        ~CallbackScope() { --m_service.m_callbackDepth; }
        CallbackScope(const CallbackScope&) = delete;
        CallbackScope& operator=(const CallbackScope&) = delete;

    private:
        MessageBoxService& m_service;
    };

protected:
    virtual MessageBoxAnswer Show(const MessageBoxCall& call) = 0;

private:
    int m_callbackDepth = 0;
};

// The buttons of a style, left to right, as result codes.
std::vector<int> MessageBoxButtons(uint32_t style);

// The message id of a button's caption (IDS_DIALOG_OK, ...); 0 for an unknown code.
int32_t MessageBoxButtonCaption(int button);

}  // namespace tidewell
