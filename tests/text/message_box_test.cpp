#include "ui_ports/message_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/message_table.h"

namespace tidewell {
namespace {

TEST(MessageBox, ButtonSetsLeftToRightWithTheirCaptions) {
    struct Case {
        uint32_t style;
        std::vector<int> buttons;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO | MB_ICONEXCLAMATION, {IDYES, IDNO}},  // the icon bits do not count
        {MB_RETRYCANCEL | MB_ICONHAND, {IDRETRY, IDCANCEL}},
        {0x0F, {IDOK}},  // an unknown set shows OK
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxButtons(c.style), c.buttons) << c.style;
        for (int button : c.buttons)
            EXPECT_NE(FindMessage(MessageBoxButtonCaption(button)), nullptr) << button;
    }
    EXPECT_EQ(MessageBoxButtonCaption(0), 0);
    EXPECT_EQ(MessageBoxButtonCaption(IDNO + 1), 0);
}

}  // namespace
}  // namespace tidewell
