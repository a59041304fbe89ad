#include <gtest/gtest.h>

#include <vector>

#include "text/message_box.h"
#include "text/messages.h"
#include "support/recording_message_box.h"

namespace tidewell {
namespace {

TEST(MessageBox, CodesHaveTheWindowsValues) {
    EXPECT_EQ(MB_OK, 0u);
    EXPECT_EQ(MB_OKCANCEL, 1u);
    EXPECT_EQ(MB_ABORTRETRYIGNORE, 2u);
    EXPECT_EQ(MB_YESNOCANCEL, 3u);
    EXPECT_EQ(MB_YESNO, 4u);
    EXPECT_EQ(MB_RETRYCANCEL, 5u);
    EXPECT_EQ(MB_ICONHAND, 0x10u);
    EXPECT_EQ(MB_ICONEXCLAMATION, 0x30u);
    const int results[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(results[i], i + 1);
    }
}

TEST(MessageBox, ButtonSetsLeftToRight) {
    struct Case {
        uint32_t style;
        std::vector<int> buttons;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO}},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
        {MB_YESNO | MB_ICONEXCLAMATION, {IDYES, IDNO}},
        {MB_OK | MB_ICONHAND, {IDOK}},
        {0x0F, {IDOK}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxButtons(c.style), c.buttons) << c.style;
    }
}

TEST(MessageBox, ButtonCaptionsComeFromTheTable) {
    struct Case {
        int button;
        const char* english;
    };
    const Case cases[] = {{IDOK, "OK"},        {IDCANCEL, "Cancel"},  {IDABORT, "&Abort"},
                          {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}, {IDYES, "&Yes"},
                          {IDNO, "&No"}};
    for (const Case& c : cases) {
        EXPECT_EQ(LoadMessageIn(MessageLanguage::English, MessageBoxButtonCaption(c.button)), c.english);
    }
    EXPECT_EQ(MessageBoxButtonCaption(0), 0);
    EXPECT_EQ(MessageBoxButtonCaption(8), 0);
    EXPECT_EQ(LoadMessageIn(MessageLanguage::English, IDS_DIALOG_VT_MESSAGE_BOX_SHOW_DETAILS_D),
              "&Details >>");
    EXPECT_EQ(LoadMessageIn(MessageLanguage::English, IDS_DIALOG_VT_MESSAGE_BOX_HIDE_DETAILS_D),
              "<< &Details");
    EXPECT_EQ(LoadMessageIn(MessageLanguage::English, IDS_DIALOG_VT_MESSAGE_BOX_SHOW_NEXT_TIME_S),
              "&Show this message next time");
}

TEST(RecordingMessageBox, RecordsCallsAndPressesTheFirstButtonByDefault) {
    RecordingMessageBox box;
    MessageBoxService& service = box;
    EXPECT_EQ(service.ShowMessageBox("Are you sure?", "Tidewell", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(service.ShowMessageBox("Done", "Tidewell"), IDOK);
    ASSERT_EQ(box.CallCount(), 2u);
    const MessageBoxCall& first = box.Calls()[0];
    EXPECT_EQ(first.text, "Are you sure?");
    EXPECT_EQ(first.caption, "Tidewell");
    EXPECT_EQ(first.style, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(first.detail, "");
    EXPECT_FALSE(first.hasCheckBox);
    EXPECT_EQ(box.LastCall().style, MB_OK);
}

TEST(RecordingMessageBox, AnswersAsToldInOrder) {
    RecordingMessageBox box;
    box.AnswerNext(IDNO);
    box.AnswerNext(IDCANCEL);
    EXPECT_EQ(box.PendingAnswers(), 2u);
    EXPECT_EQ(box.ShowMessageBox("Save?", "Tidewell", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(box.ShowMessageBox("Save?", "Tidewell", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(box.ShowMessageBox("Save?", "Tidewell", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(box.PendingAnswers(), 0u);
}

TEST(RecordingMessageBox, CheckBoxStateGoesInAndOut) {
    RecordingMessageBox box;
    bool showNextTime = true;
    box.AnswerNext(IDOK, false);
    EXPECT_EQ(box.ShowMessageBox("A valid music file path must be provided.", "Error", MB_OK | MB_ICONHAND,
                                 "/music/missing.mid", &showNextTime),
              IDOK);
    EXPECT_FALSE(showNextTime);
    EXPECT_TRUE(box.LastCall().hasCheckBox);
    EXPECT_TRUE(box.LastCall().showNextTime);
    EXPECT_EQ(box.LastCall().detail, "/music/missing.mid");

    // Without a planned state the box closes with the check box as it started.
    showNextTime = true;
    box.AnswerNext(IDYES);
    EXPECT_EQ(box.ShowMessageBox("Try?", "Tidewell", MB_YESNO, {}, &showNextTime), IDYES);
    EXPECT_TRUE(showNextTime);
    showNextTime = false;
    box.ShowMessageBox("Try?", "Tidewell", MB_YESNO, {}, &showNextTime);
    EXPECT_FALSE(showNextTime);
    EXPECT_FALSE(box.LastCall().showNextTime);

    box.Clear();
    EXPECT_EQ(box.CallCount(), 0u);
}

}  // namespace
}  // namespace tidewell
