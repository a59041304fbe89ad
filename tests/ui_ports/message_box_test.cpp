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

// A question raised inside a pass is asked once the pass has returned, and the caller acts on
// the answer the user gave; outside one it is asked at once.
TEST(MessageBox, AQuestionFromACallbackIsAskedAfterItAndAnswered) {
    RecordingMessageBox box;
    std::vector<int> answers;
    const auto ask = [&] {
        MessageBoxCall call;
        call.text = "Replace?";
        call.style = MB_YESNO | MB_ICONQUESTION;
        box.Ask(call, [&](const MessageBoxAnswer& answer) { answers.push_back(answer.button); });
    };
    {
        MessageBoxService::CallbackScope pass(box);
        ask();
        EXPECT_TRUE(answers.empty()) << "nothing is answered for the user";
    }
    ASSERT_EQ(box.OpenCount(), 1u);
    box.AnswerNext(IDYES);
    box.CloseOldest();
    EXPECT_EQ(answers, std::vector<int>{IDYES});
    box.AnswerNext(IDNO);
    ask();
    EXPECT_EQ(answers, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.OpenCount(), 0u);
}

}  // namespace
}  // namespace tidewell
