#include <gtest/gtest.h>

#include "app/windows/message_box_dialog.h"

namespace tidewell {
namespace {

MessageBoxCall Call(uint32_t style, std::string detail = {}, bool checkBox = false) {
    MessageBoxCall call;
    call.text = "text";
    call.caption = "caption";
    call.style = style;
    call.detail = std::move(detail);
    call.hasCheckBox = checkBox;
    call.showNextTime = checkBox;
    return call;
}

TEST(MessageBoxDialogTest, EscapeMeansCancelOnlyWhereThereIsOne) {
    MessageBoxDialog yesNo(Call(MB_YESNO));
    yesNo.Press(IDNO);
    yesNo.reject();  // no Cancel: the answer stays
    EXPECT_EQ(yesNo.Answer().button, IDNO);

    MessageBoxDialog withCancel(Call(MB_YESNOCANCEL));
    withCancel.reject();
    EXPECT_EQ(withCancel.Answer().button, IDCANCEL);
}

}  // namespace
}  // namespace tidewell
