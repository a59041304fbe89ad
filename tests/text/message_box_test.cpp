#include "ui_ports/message_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_message_box.h"
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

TEST(MessageBox, CheckBoxStateGoesInAndComesBack) {
    RecordingMessageBox box;
    bool showNextTime = true;
    box.AnswerNext(IDNO, false);
    EXPECT_EQ(box.ShowMessageBox("Try?", "Tidewell", MB_YESNO, "detail", &showNextTime), IDNO);
    EXPECT_FALSE(showNextTime);
    EXPECT_TRUE(box.LastCall().hasCheckBox);
    EXPECT_TRUE(box.LastCall().showNextTime);
    EXPECT_EQ(box.LastCall().detail, "detail");
    EXPECT_EQ(box.ShowMessageBox("Done", "Tidewell"), IDOK);
    EXPECT_FALSE(box.LastCall().hasCheckBox);
}

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
