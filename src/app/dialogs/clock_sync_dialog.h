#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>

#include "model/task_record.h"
#include "runtime/server_thread.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

namespace tidewell {

class CTidewellApp;

// The time server the user chose last; it is asked first.
namespace clock_sync_keys {
inline constexpr std::string_view kSection = "TimeCS";
inline constexpr std::string_view kCurrentServer = "Current Server";
}  // namespace clock_sync_keys

// Opens the schedule sheet of the built-in clock synchronization task on a copy of it; true when
// the user confirmed it. The wizard provides it; without one the task keeps its schedule.
using ClockSyncScheduleEditor = std::function<bool(TaskRecord& task, QWidget* parent)>;

// The Clock Synchronization dialog: the chosen time server, the local clock, the Synchronize
// button and the switch of the built-in clock synchronization task. A synchronization runs on a
// worker; the dialog keeps answering and closing it cancels the pass. Whether the clock may be
// set is asked once, on a worker too, just after the dialog is shown.
class ClockSyncDialog final : public QDialog {
    Q_OBJECT

public:
    ClockSyncDialog(CTidewellApp& app, ClockSyncConfig config, ClockSyncPorts ports,
                    ClockSyncScheduleEditor editSchedule = {}, QWidget* parent = nullptr);
    ~ClockSyncDialog() override;

    // Starts a synchronization unless one is running.
    void OnSynchronize();
    bool IsSynchronizing() const { return m_worker != nullptr; }
    // The answer of the clock-setting probe, once it came.
    std::optional<bool> CanSetClock() const { return m_canSetClock; }
    void done(int result) override;

signals:
    // A synchronization ended and its message was shown.
    void synchronizationEnded(bool succeeded);
    void probeAnswered(bool canSetClock);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildTimeGroups(QVBoxLayout* layout);
    void StartProbe();
    void OnProbeAnswer(bool canSetClock);
    void OnReport(const ServerThreadReport& report);
    void OnAutomaticClicked(bool on);
    void ShowLocalTime();
    void StopWorkers();
    std::optional<std::size_t> ClockSyncTaskIndex() const;

    CTidewellApp& m_app;
    ClockSyncConfig m_config;
    ClockSyncPorts m_ports;
    ClockSyncScheduleEditor m_editSchedule;
    std::unique_ptr<CServerThread> m_worker;
    std::thread m_probe;
    bool m_probeStarted = false;
    std::optional<bool> m_canSetClock;
    QComboBox* m_server = nullptr;
    QLabel* m_standardTime = nullptr;
    QLabel* m_localTime = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_adminRequired = nullptr;
    QPushButton* m_synchronize = nullptr;
    QCheckBox* m_automatic = nullptr;
    QTimer* m_clockTimer = nullptr;
};

}  // namespace tidewell
