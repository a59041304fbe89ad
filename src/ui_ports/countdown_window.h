#pragma once

#include <functional>

namespace tidewell {

// How a count-down before a system operation ended.
enum class CountdownOutcome {
    perform,    // the time ran out, or the user asked for the operation right away
    cancelled,  // the user cancelled: the operation is not performed
};

// What the count-down window shows.
struct CountdownRequest {
    int operation = 0;   // the operation's line in IDS_DIALOG_SHUT_DOWN_PROMPT_LIST and
                         // IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST (0 stand by .. 4 log off)
    bool force = false;  // adds IDS_DIALOG_SHUT_DOWN_PROMPT_FORCE
    int seconds = 0;     // the count-down's length
};

// The count-down window of a system operation. The window counts down once a second itself and
// ends with OK when one second or less remains; the Qt shell draws it, tests record it.
class CountdownWindowService {
public:
    virtual ~CountdownWindowService() = default;
    // Shows the count-down and returns at once: the scheduling passes go on meanwhile. `done`
    // runs once, with the outcome.
    virtual void ShowCountdown(const CountdownRequest& request,
                               std::function<void(CountdownOutcome)> done) = 0;
};

}  // namespace tidewell
