#include "app/dialogs/clock_sync_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/main_window/frame_operations.h"
#include "app/main_window/tidewell_doc.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "platform/settings_port.h"
#include "runtime/server_choice.h"
#include "timing/run_text.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

constexpr int kClockRefreshMs = 1000;

QGroupBox* FormGroup(int32_t titleId, QFormLayout*& form, QWidget* parent) {
    auto* group = new QGroupBox(MessageText(titleId), parent);
    form = new QFormLayout(group);
    return group;
}

QLabel* ValueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ClockSyncDialog::ClockSyncDialog(CTidewellApp& app, ClockSyncConfig config, ClockSyncPorts ports,
                                 ClockSyncScheduleEditor editSchedule, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_config(std::move(config)),
      m_ports(ports),
      m_editSchedule(std::move(editSchedule)) {
    setObjectName("clockSyncDialog");
    setWindowTitle(MessageText(IDS_DIALOG_TCS_TITLE));
    auto* layout = new QVBoxLayout(this);

    BuildTimeGroups(layout);

    m_synchronize = new QPushButton(MessageText(IDS_DIALOG_TCS_SYNCHRONIZE_TO_STANDARD_TIME_S), this);
    m_synchronize->setObjectName("synchronizeButton");
    m_synchronize->setEnabled(false);  // until the probe has answered
    m_status = new QLabel(MessageText(IDS_DIALOG_TCS_WORKING), this);
    m_status->setObjectName("synchronizeStatus");
    m_status->hide();
    auto* synchronizeRow = new QHBoxLayout;
    synchronizeRow->addWidget(m_synchronize);
    synchronizeRow->addWidget(m_status);
    synchronizeRow->addStretch(1);
    layout->addLayout(synchronizeRow);
    m_adminRequired = new QLabel(MessageText(IDS_MESSAGE_PROMPT_ADMIN_MODE_REQUIRED), this);
    m_adminRequired->setObjectName("adminModeRequired");
    m_adminRequired->setWordWrap(true);
    m_adminRequired->hide();
    layout->addWidget(m_adminRequired);

    m_automatic = new QCheckBox(MessageText(IDS_DIALOG_TCS_AUTOMATIC_CLOCK_SYNCHRONIZATION_A), this);
    m_automatic->setObjectName("automaticClockSyncCheck");
    const std::optional<std::size_t> task = ClockSyncTaskIndex();
    m_automatic->setEnabled(task.has_value());
    m_automatic->setChecked(task && app.Document()->Tasks()[*task].enabled);
    layout->addWidget(m_automatic);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(MessageText(IDS_DIALOG_FIND_CLOSE_L), QDialogButtonBox::RejectRole);
    close->setObjectName("clockSyncClose");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_synchronize, &QPushButton::clicked, this, &ClockSyncDialog::OnSynchronize);
    connect(m_automatic, &QCheckBox::clicked, this, &ClockSyncDialog::OnAutomaticClicked);

    m_clockTimer = new QTimer(this);
    connect(m_clockTimer, &QTimer::timeout, this, &ClockSyncDialog::ShowLocalTime);
    m_clockTimer->start(kClockRefreshMs);
    ShowLocalTime();
    setMinimumWidth(420);
}

void ClockSyncDialog::BuildTimeGroups(QVBoxLayout* layout) {
    QFormLayout* standardForm = nullptr;
    layout->addWidget(FormGroup(IDS_DIALOG_TCS_STANDARD_TIME, standardForm, this));
    m_server = new QComboBox(this);
    m_server->setObjectName("timeServerCombo");
    for (const DaytimeServer& server : m_config.servers) m_server->addItem(ToQString(server.address));
    const std::string chosen =
        m_app.Settings().ReadSettingString(clock_sync_keys::kSection, clock_sync_keys::kCurrentServer, {});
    if (const int index = m_server->findText(ToQString(chosen)); index >= 0) m_server->setCurrentIndex(index);
    standardForm->addRow(MessageText(IDS_DIALOG_TCS_TIME_SERVER_T), m_server);
    m_standardTime = ValueLabel("standardTimeValue", this);
    m_standardTime->setText(MessageText(IDS_KLN_N_A));
    standardForm->addRow(MessageText(IDS_DIALOG_TCS_STANDARD_TIME_D), m_standardTime);

    QFormLayout* localForm = nullptr;
    layout->addWidget(FormGroup(IDS_DIALOG_TCS_LOCAL_TIME, localForm, this));
    m_localTime = ValueLabel("localTimeValue", this);
    localForm->addRow(MessageText(IDS_DIALOG_TCS_LOCAL_CLOCK_TIME_L), m_localTime);
}

ClockSyncDialog::~ClockSyncDialog() {
    StopWorkers();
}

void ClockSyncDialog::StopWorkers() {
    m_worker.reset();  // cancels the pass and waits for its worker, which notices at once
    if (m_probe.joinable()) m_probe.join();
}

void ClockSyncDialog::done(int result) {
    StopWorkers();
    m_clockTimer->stop();
    QDialog::done(result);
}

void ClockSyncDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Asked one turn of the event loop after the dialog shows.
    if (!m_probeStarted) QTimer::singleShot(0, this, &ClockSyncDialog::StartProbe);
    m_probeStarted = true;
}

void ClockSyncDialog::StartProbe() {
    if (m_probe.joinable()) return;
    ClockSetter& setter = m_ports.clockSetter;
    m_probe = std::thread([this, &setter] {
        const bool can = setter.CanSetClock();
        QMetaObject::invokeMethod(
            this, [this, can] { OnProbeAnswer(can); }, Qt::QueuedConnection);
    });
}

void ClockSyncDialog::OnProbeAnswer(bool canSetClock) {
    m_canSetClock = canSetClock;
    m_synchronize->setEnabled(canSetClock && !IsSynchronizing());
    m_adminRequired->setVisible(!canSetClock);
    emit probeAnswered(canSetClock);
}

void ClockSyncDialog::ShowLocalTime() {
    m_localTime->setText(ToQString(RunInstantText(m_app.GetClock().Now())));
}

void ClockSyncDialog::OnSynchronize() {
    if (IsSynchronizing() || m_canSetClock == false) return;
    const std::string server = ToStdString(m_server->currentText());
    if (!m_app.Settings().WriteSettingString(clock_sync_keys::kSection, clock_sync_keys::kCurrentServer,
                                             server)) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
    ClockSyncConfig config = m_config;
    config.servers = ServersStartingWith(std::move(config.servers), server);
    m_synchronize->setEnabled(false);
    m_status->show();
    // The report comes on the worker; it is handed to the dialog's thread, and dropped with
    // the dialog when that has gone.
    m_worker =
        std::make_unique<CServerThread>(std::move(config), m_ports, [this](const ServerThreadReport& report) {
            QMetaObject::invokeMethod(
                this, [this, report] { OnReport(report); }, Qt::QueuedConnection);
        });
}

void ClockSyncDialog::OnReport(const ServerThreadReport& report) {
    m_worker.reset();
    m_status->hide();
    m_synchronize->setEnabled(m_canSetClock.value_or(false));
    const ClockSyncOutcome& outcome = report.outcome;
    const bool succeeded = report.lParam == 0;
    if (succeeded) m_standardTime->setText(ToQString(outcome.after.Format(kTimeOfDayFormat)));
    if (!outcome.message.text.empty()) {
        m_app.MessageBox().ShowMessageBox(outcome.message.text, outcome.message.caption,
                                          outcome.message.style);
    }
    emit synchronizationEnded(succeeded);
}

std::optional<std::size_t> ClockSyncDialog::ClockSyncTaskIndex() const {
    const CTidewellDoc* doc = m_app.Document();
    if (doc == nullptr) return std::nullopt;
    const TaskList& tasks = doc->Tasks();
    for (std::size_t index = 0; index < tasks.size(); ++index) {
        if (tasks[index].isClockSyncTask) return index;
    }
    return std::nullopt;
}

void ClockSyncDialog::OnAutomaticClicked(bool on) {
    const std::optional<std::size_t> index = ClockSyncTaskIndex();
    if (!index) return;
    CTidewellDoc& doc = *m_app.Document();
    TaskRecord& task = doc.Tasks()[*index];
    if (on && m_editSchedule) {
        TaskRecord edited = task;
        edited.enabled = true;
        if (!m_editSchedule(edited, this)) {
            m_automatic->setChecked(false);
            return;
        }
        edited.enabled = task.enabled;  // switched on below, with its next run
        task = edited;
    }
    if (task.enabled != on) doc.ToggleEnabled(*index, m_app.AutoSave());
    m_app.Operations().LogEvent(&doc.Tasks()[*index], EventKind::taskModified);
}

}  // namespace tidewell
