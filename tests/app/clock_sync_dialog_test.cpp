#include <QAbstractButton>
#include <QLabel>

#include "app/dialogs/clock_sync_dialog.h"
#include "app_fixture.h"
#include "platform/posix_network.h"
#include "support/daytime_server.h"
#include "support/fake_clock_setter.h"
#include "support/task_builder.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

using std::chrono::milliseconds;

constexpr int kPatienceMs = 20000;
const std::string kReply = "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(NIST) * \n";

class ClockSyncTest : public AppFixture {
protected:
    void SetUp() override {
        m_clock.Set(At(2010, 5, 7, 7, 29, 55));
        InstallExampleSchedule();  // it holds the built-in clock synchronization task
        m_app = Start();
        ASSERT_NE(m_app, nullptr);
    }
    std::unique_ptr<ClockSyncDialog> Dialog(std::vector<const FakeDaytimeServer*> servers,
                                            ClockSyncScheduleEditor editor = {}) {
        ClockSyncConfig config{{}, milliseconds(3000), milliseconds(60000), milliseconds(60000)};
        for (const FakeDaytimeServer* server : servers)
            config.servers.push_back({FakeDaytimeServer::kAddress, server->Port()});
        auto dialog = std::make_unique<ClockSyncDialog>(
            *m_app, config, ClockSyncPorts{m_network, m_setter, m_clock, m_zone}, std::move(editor));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->CanSetClock().has_value(); }, kPatienceMs));
        return dialog;
    }
    static QAbstractButton* Synchronize(ClockSyncDialog& dialog) {
        return dialog.findChild<QAbstractButton*>("synchronizeButton");
    }
    const TaskRecord& ClockTask() {
        for (const TaskRecord& task : m_app->Document()->Tasks()) {
            if (task.isClockSyncTask) return task;
        }
        throw std::logic_error("no clock synchronization task");
    }

    PosixNetwork m_network;
    FakeClockSetter m_setter;
    FixedTimeZone m_zone{-480};
    std::unique_ptr<CTidewellApp> m_app;
};

TEST_F(ClockSyncTest, WithoutTheRightToSetTheClockTheButtonIsOffAndSaysWhy) {
    m_setter.Refuse(ErrorKind::refused, "no");
    auto answering = FakeDaytimeServer::Answering({kReply});
    auto dialog = Dialog({answering.get()});
    EXPECT_FALSE(*dialog->CanSetClock());
    EXPECT_FALSE(Synchronize(*dialog)->isEnabled());
    auto* why = dialog->findChild<QLabel*>("adminModeRequired");
    EXPECT_TRUE(why->isVisibleTo(dialog.get()));
    EXPECT_EQ(why->text().toStdString(), LoadMessage(IDS_MESSAGE_PROMPT_ADMIN_MODE_REQUIRED));
    dialog->OnSynchronize();
    EXPECT_FALSE(dialog->IsSynchronizing());
}

TEST_F(ClockSyncTest, ClosingTheDialogCancelsThePass) {
    auto silent = FakeDaytimeServer::Silent();
    auto dialog = Dialog({silent.get()});
    Synchronize(*dialog)->click();
    ASSERT_TRUE(dialog->IsSynchronizing());
    EXPECT_FALSE(Synchronize(*dialog)->isEnabled());
    ASSERT_TRUE(silent->WaitForAccepted(1));
    dialog->reject();  // the receive would wait a minute
    EXPECT_FALSE(dialog->IsSynchronizing());
    Settle();
    EXPECT_EQ(m_messageBox.CallCount(), 0u);
    EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(ClockSyncTest, TheAutomaticBoxSwitchesTheBuiltInTaskThroughItsScheduleSheet) {
    bool confirm = false;
    int opened = 0;
    auto dialog = Dialog({}, [&](TaskRecord& task, QWidget*) {
        ++opened;
        task.comment = "edited";
        return confirm;
    });
    auto* automatic = dialog->findChild<QAbstractButton*>("automaticClockSyncCheck");
    ASSERT_FALSE(ClockTask().enabled);
    EXPECT_FALSE(automatic->isChecked());
    automatic->click();  // the sheet is cancelled: nothing changes
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(automatic->isChecked());
    EXPECT_FALSE(ClockTask().enabled);
    EXPECT_TRUE(m_operations.events.empty());

    confirm = true;
    automatic->click();
    EXPECT_TRUE(ClockTask().enabled);
    EXPECT_EQ(ClockTask().comment, "edited");
    EXPECT_TRUE(ClockTask().scheduleInfo.haveNextRunTime);
    automatic->click();
    EXPECT_EQ(opened, 2);  // switching off opens nothing
    EXPECT_FALSE(ClockTask().enabled);
    EXPECT_EQ(m_operations.events,
              (std::vector<EventKind>{EventKind::taskModified, EventKind::taskModified}));
}

}  // namespace
}  // namespace tidewell::testing
