#include "ui_ports/message_box.h"

#include <gtest/gtest.h>

#include "support/recording_message_box.h"

namespace tidewell {
namespace {

TEST(MessageBox, InsideACallbackNothingWaitsForTheUser) {
    RecordingMessageBox box;
    {
        MessageBoxService::CallbackScope callback(box);
        bool showNextTime = true;
        EXPECT_EQ(box.ShowMessageBox("Saved elsewhere", "Tidewell", MB_OK, {}, &showNextTime), IDOK);
        EXPECT_TRUE(showNextTime);
        EXPECT_EQ(box.ShowMessageBox("Replace?", "Tidewell", MB_YESNO), IDNO);
        EXPECT_EQ(box.ShowMessageBox("Save?", "Tidewell", MB_YESNOCANCEL), IDCANCEL);
    }
    ASSERT_EQ(box.CallCount(), 1u);  // the questions are not shown after their answer
    EXPECT_EQ(box.OpenCount(), 1u);  // posted: it stays open while the callback goes on
    EXPECT_EQ(box.LastCall().text, "Saved elsewhere");
    box.AnswerNext(IDNO);
    EXPECT_EQ(box.ShowMessageBox("Replace?", "Tidewell", MB_YESNO), IDNO);
    EXPECT_EQ(box.OpenCount(), 1u);  // outside one, boxes wait for their answer again
}

}  // namespace
}  // namespace tidewell
