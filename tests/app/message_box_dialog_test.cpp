#include "app/windows/message_box_dialog.h"

#include <gtest/gtest.h>

#include <QTest>

namespace tidewell {
namespace {

// Escape is Cancel where the box has one, the only button where it has one, and nothing else.
TEST(MessageBoxDialogTest, EscapeAnswersOnlyCancelOrTheOnlyButton) {
    const std::pair<uint32_t, int> cases[] = {{MB_YESNOCANCEL, IDCANCEL}, {MB_OK, IDOK}, {MB_YESNO, 0}};
    for (const auto& [style, answer] : cases) {
        MessageBoxCall call;
        call.text = "text";
        call.style = style;
        MessageBoxDialog box(call);
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_EQ(box.isVisible(), answer == 0) << style;
        if (answer != 0) {
            EXPECT_EQ(box.Answer().button, answer) << style;
        }
    }
}

}  // namespace
}  // namespace tidewell
