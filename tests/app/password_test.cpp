#include <QEventLoop>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/dialogs/password_dialog.h"
#include "app/main_window/system_tray.h"
#include "app/program/single_instance.h"
#include "app_fixture.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

class PasswordStartTest : public AppFixture {
protected:
    void SetUp() override { SetAdminPassword("secret7"); }
};

TEST_F(PasswordStartTest, InteractiveStartAsksAndAWrongEntryEndsIt) {
    m_passwordPrompt.Enter("wrong!");
    EXPECT_EQ(Start(), nullptr);
    ASSERT_EQ(m_passwordPrompt.requests.size(), 1u);
}

TEST(PasswordDialogTest, RefusesInputForTheWaitWithATimer) {
    PasswordRequest request;
    request.refuseInputFor = std::chrono::milliseconds(1500);
    PasswordDialog dialog(request);
    auto* edit = dialog.findChild<QLineEdit*>("passwordEdit");
    auto* ok = dialog.findChild<QPushButton*>("passwordOk");
    auto* timer = dialog.findChild<QTimer*>("passwordRefusalTimer");
    ASSERT_TRUE(edit != nullptr && ok != nullptr && timer != nullptr);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(timer->isActive());
    dialog.AllowInput();  // what the timer does
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(PasswordStartTest, ShowingTheHiddenWindowAsksFirst) {
    auto first = Start({"autoload"});
    ASSERT_NE(first, nullptr);
    m_passwordPrompt.Enter(std::nullopt);  // the second start's request is refused
    EXPECT_EQ(Start(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_passwordPrompt.requests.size() == 1; }, 2000));
    Settle();
    EXPECT_TRUE(first->MainFrame()->isHidden());
}

TEST_F(PasswordStartTest, AShowRequestWhoseStartLeftAtOnceIsAskedAfterItsSocketWent) {
    auto first = Start({"autoload"});
    ASSERT_NE(first, nullptr);
    // The prompt runs the event loop as the modal dialog does, until the request's connection,
    // which the second start has closed, is gone.
    m_passwordPrompt.whileAsked = [&] {
        auto* server = first->Instance()->findChild<QLocalServer*>();
        QLocalSocket* accepted = server == nullptr ? nullptr : server->findChild<QLocalSocket*>();
        if (accepted == nullptr) return;
        QEventLoop modal;
        QObject::connect(accepted, &QObject::destroyed, &modal, &QEventLoop::quit);
        QTimer::singleShot(5000, &modal, &QEventLoop::quit);
        modal.exec();
    };
    m_passwordPrompt.Enter("secret7");
    QLocalSocket second;
    second.connectToServer(QString::fromStdString(first->Instance()->Path()));
    ASSERT_TRUE(second.waitForConnected(2000));
    second.write(QByteArray(kShowRequest.data(), static_cast<qsizetype>(kShowRequest.size())) + '\n');
    ASSERT_TRUE(second.waitForBytesWritten(2000));
    second.abort();

    EXPECT_TRUE(QTest::qWaitFor([&] { return first->MainFrame()->isVisible(); }, 5000));
    EXPECT_EQ(m_passwordPrompt.requests.size(), 1u);
}

TEST_F(PasswordStartTest, TheTrayMenuAsksOnceTheTraysCallHasReturned) {
    auto app = Start({"autoload"});
    ASSERT_NE(app, nullptr);
    auto* entry = app->MainFrame()->Tray()->Menu()->findChild<QAction*>("actionShowHideInTray");
    ASSERT_NE(entry, nullptr);
    m_passwordPrompt.Enter("secret7");
    entry->trigger();  // a tray host calls in over the session bus
    EXPECT_TRUE(m_passwordPrompt.requests.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->MainFrame()->isVisible(); }, 2000));
    EXPECT_EQ(m_passwordPrompt.requests.size(), 1u);
}

TEST_F(PasswordStartTest, ExitCompletelyNeedsThePassword) {
    m_passwordPrompt.Enter("secret7");
    auto app = Start();
    ASSERT_NE(app, nullptr);
    m_messageBox.AnswerNext(IDYES);
    m_passwordPrompt.Enter(std::nullopt);
    EXPECT_FALSE(app->ExitCompletely());
    EXPECT_FALSE(app->HasEnded());
    EXPECT_TRUE(app->IsRunning());
    EXPECT_EQ(m_passwordPrompt.requests.back().title, LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_PASSWORD));
}

}  // namespace
}  // namespace tidewell::testing
