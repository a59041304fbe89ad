#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/message_box_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "text/messages.h"

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

TEST(MessageBoxDialogTest, ButtonsOfEachStyle) {
    struct Case {
        uint32_t style;
        std::vector<int> buttons;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
        {MB_ABORTRETRYIGNORE | MB_ICONHAND, {IDABORT, IDRETRY, IDIGNORE}},
    };
    for (const Case& c : cases) {
        MessageBoxDialog dialog(Call(c.style));
        for (int button : c.buttons) {
            auto* widget = dialog.findChild<QPushButton*>(QStringLiteral("messageBoxButton%1").arg(button));
            ASSERT_NE(widget, nullptr) << c.style << " " << button;
            EXPECT_EQ(widget->text().toStdString(), LoadMessage(MessageBoxButtonCaption(button)));
        }
        EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), static_cast<qsizetype>(c.buttons.size()));
    }
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

TEST(MessageBoxDialogTest, DetailsToggleAndCheckBoxState) {
    MessageBoxDialog dialog(Call(MB_OK, "the detail", true));
    auto* details = dialog.findChild<QPlainTextEdit*>("messageBoxDetails");
    auto* toggle = dialog.findChild<QPushButton*>("messageBoxDetailsButton");
    ASSERT_TRUE(details != nullptr && toggle != nullptr);
    EXPECT_TRUE(details->isHidden());
    toggle->click();
    EXPECT_FALSE(details->isHidden());
    EXPECT_EQ(toggle->text().toStdString(), LoadMessage(IDS_DIALOG_VT_MESSAGE_BOX_HIDE_DETAILS_D));
    EXPECT_TRUE(dialog.Answer().showNextTime);
    dialog.findChild<QCheckBox*>("messageBoxShowNextTime")->setChecked(false);
    dialog.findChild<QPushButton*>("messageBoxButton1")->click();
    EXPECT_EQ(dialog.Answer().button, IDOK);
    EXPECT_FALSE(dialog.Answer().showNextTime);
}

TEST(QtMessageBoxTest, ShowsModallyAndReturnsThePressedButton) {
    QtMessageBox box;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MessageBoxDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) dialog->Press(IDNO);
    });
    EXPECT_EQ(box.ShowMessageBox("Delete?", "caption", MB_YESNO), IDNO);
}

TEST(PasswordDialogTest, OkGivesTheEntryCancelGivesNothing) {
    PasswordRequest request{"title", "&Password:", "Password", 16};
    QtPasswordPrompt prompt;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        QTest::keyClicks(dialog->findChild<QLineEdit*>("passwordEdit"), "secret7");
        dialog->findChild<QPushButton*>("passwordOk")->click();
    });
    EXPECT_EQ(prompt.AskPassword(request), std::optional<std::string>("secret7"));
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    EXPECT_EQ(prompt.AskPassword(request), std::nullopt);
}

}  // namespace
}  // namespace tidewell
