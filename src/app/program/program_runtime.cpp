#include "app/program/program_runtime.h"

#include <QTimer>

#include "app/main_window/main_frame.h"
#include "app/main_window/system_tray.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "app/windows/countdown_window.h"
#include "app/windows/notice_window.h"
#include "config/locations.h"
#include "platform/boot_clock.h"
#include "platform/logind_power_control.h"
#include "platform/posix_network.h"
#include "platform/system_clock_setter.h"
#include "platform/system_time_zone.h"
#include "runtime/clock_sync.h"
#include "runtime/debug_log.h"
#include "runtime/event_log.h"
#include "runtime/scheduler.h"
#include "runtime/sound_notice_player.h"
#include "runtime/task_executor.h"
#include "runtime/unattended_clock_sync.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "timing/standard_random.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

// Often enough for the shortest pause between beeps.
constexpr int kBeepTickMs = 10;
constexpr std::string_view kAtLogonTrace = "CheckAtLogonJob";

// The tray icon's part in run notices.
class TrayAnimation final : public TrayNoticeService {
public:
    TrayAnimation(CTidewellApp& app, CMainFrame& frame) : m_app(app), m_frame(frame) {}
    void StartRunAnimation(const std::string& tip) override {
        m_animationFrame = 0;
        if (CSystemTray* tray = m_frame.Tray()) {
            tray->SetToolTip(ToQString(tip));
            tray->ShowRunFrame(m_animationFrame);
            tray->ShowNotification(ToQString(m_app.ProductName()), ToQString(tip));
        }
    }
    void NextRunAnimationFrame() override {
        if (CSystemTray* tray = m_frame.Tray()) tray->ShowRunFrame(++m_animationFrame);
    }
    void EndRunAnimation() override {
        if (CSystemTray* tray = m_frame.Tray()) tray->ShowRunFrame(-1);
        m_frame.RefreshCaption();
    }

private:
    CTidewellApp& m_app;
    CMainFrame& m_frame;
    int m_animationFrame = 0;
};

std::vector<std::string> TimeServerNames() {
    std::vector<std::string> names;
    for (const DaytimeServer& server : DefaultDaytimeServers()) names.push_back(server.address);
    return names;
}

}  // namespace

struct ProgramRuntime::Parts {
    Parts(CTidewellApp& app, CTidewellDoc& doc, CMainFrame& frame, AudioPort& audio, SchedulerView& view,
          UnattendedClockSync::DoneFunction clockSyncDone)
        : tray(app, frame),
          player(audio, tray, app.Settings()),
          eventLog(app.GetLocations().LogDir(), app.GetClock()),
          clockSync({}, ClockSyncPorts{network, clockSetter, app.GetClock(), timeZone},
                    std::move(clockSyncDone)),
          executor(TaskExecutorPorts{app.GetLauncher(), power, player, eventLog, app.Settings(),
                                     app.MessageBox(), notices, countdowns},
                   TaskExecutorContext{false, RunningProgramDir(), TimeServerNames,
                                       [this](const std::string& server) {
                                           return clockSync.SynchronizeClockUnattended(server);
                                       },
                                       [&app] { app.SetAutoStartEntry(); }}),
          scheduler(doc.Tasks(), executor, view, random) {}

    TrayAnimation tray;
    SoundNoticePlayer player;
    EventLog eventLog;
    LogindPowerControl power;
    QtNoticeWindow notices;
    QtCountdownWindow countdowns;
    PosixNetwork network;
    SystemClockSetter clockSetter;
    SystemTimeZone timeZone;
    UnattendedClockSync clockSync;
    TaskExecutor executor;
    StandardRandomSource random;
    Scheduler scheduler;
};

ProgramRuntime::ProgramRuntime(CTidewellApp& app, CTidewellDoc& doc, CMainFrame& frame, AudioPort& audio)
    : m_app(app),
      m_doc(doc),
      m_frame(frame),
      m_parts(std::make_unique<Parts>(app, doc, frame, audio, static_cast<SchedulerView&>(*this),
                                      [this](const ClockSyncOutcome& outcome) { ClockSyncEnded(outcome); })),
      m_beepTimer(new QTimer(this)) {
    // The list is loaded now: what falls due before the first pass is not lost.
    m_parts->scheduler.StartPasses({m_app.GetClock().Now(), BootTimeMs()});
    connect(m_beepTimer, &QTimer::timeout, this, [this] {
        const MessageBoxService::CallbackScope tick(m_app.MessageBox());
        SoundNoticePlayer& player = m_parts->player;
        if (const Result beeped = player.BeepTick(std::chrono::steady_clock::now()); !beeped) {
            TellOnce(m_toneFailureShown, beeped.message());
        }
        if (!player.Beeping()) m_beepTimer->stop();
    });
}

ProgramRuntime::~ProgramRuntime() = default;

void ProgramRuntime::CheckDueTasks() {
    const MessageBoxService::CallbackScope pass(m_app.MessageBox());
    m_parts->scheduler.SetRunning(m_app.IsRunning());
    {
        // Every program due starts before the notices and log lines of any.
        const TaskExecutor::HeldReports held(m_parts->executor);
        m_parts->scheduler.CheckDueTasks({m_app.GetClock().Now(), BootTimeMs()});
    }
    const MonotonicTime now = std::chrono::steady_clock::now();
    SoundNoticePlayer& player = m_parts->player;
    player.MusicTick(now);
    player.TrayTick(now);
    player.ReleaseAudioWhenSilent();
    StartBeepTicksIfNeeded();
}

void ProgramRuntime::CheckAtLogonJob() {
    const MessageBoxService::CallbackScope pass(m_app.MessageBox());
    m_app.Debug().DebugTrace(kAtLogonTrace, "Before the start-up pass");
    m_parts->scheduler.SetRunning(m_app.IsRunning());
    {
        const TaskExecutor::HeldReports held(m_parts->executor);
        m_parts->scheduler.CheckAtLogonJob({m_app.GetClock().Now(), BootTimeMs()}, m_app.IsAutoload());
    }
    StartBeepTicksIfNeeded();
    m_app.Debug().DebugTrace(kAtLogonTrace, "After the start-up pass");
}

bool ProgramRuntime::RunTaskNow(TaskRecord& task) {
    // Run Now records no run; a failure has been shown and logged by the executor.
    if (!m_parts->executor.RunTask(task)) return false;
    StartBeepTicksIfNeeded();
    return true;
}

void ProgramRuntime::StopCurrentSound() {
    m_parts->player.StopCurrentSound();
}

void ProgramRuntime::FollowMute() {
    if (m_parts->player.Muted() != m_app.IsMute() && !m_parts->player.ToggleMute()) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
}

void ProgramRuntime::LogEvent(const TaskRecord* task, EventKind kind) {
    if (const Result logged = m_parts->eventLog.LogEvent(task, kind, m_app.IsRunning()); !logged) {
        TellOnce(m_logFailureShown, logged.message());
    }
}

// Posted, not shown: these come from timers and commands that must go on. A full disk or a lost
// device would otherwise say the same at every event or beep.
void ProgramRuntime::TellOnce(bool& shown, const std::string& message) {
    if (shown) return;
    shown = true;
    MessageBoxCall call;
    call.text = message;
    call.caption = LoadMessage(IDS_KLN_ERROR);
    call.style = MB_OK | MB_ICONERROR;
    m_app.MessageBox().PostMessageBox(std::move(call));
}

void ProgramRuntime::ViewLog() {
    m_parts->eventLog.ViewLog(m_app.GetCommandLauncher(), m_app.MessageBox());
}

void ProgramRuntime::RedrawRow(size_t index) {
    if (m_frame.IsOnScreen()) m_frame.View().FillTRList(static_cast<int>(index));
}

void ProgramRuntime::RedrawAll() {
    if (m_frame.IsOnScreen()) m_frame.View().FillTRList(-1);
}

void ProgramRuntime::SaveViewTaskList() {
    m_doc.SaveFromPass();
}

// The one save that waits for the disk: a pass's claims must be durable before its runs start, or
// a crash in between would make those runs again after the restart. Only the few lines of the
// claims are waited for, whatever the length of the list; waiting here rather than starting the
// runs from the saver's report keeps the start and its "did it start" answer inside the pass.
void ProgramRuntime::SaveBeforeRuns(std::span<const size_t> claimed) {
    m_doc.SaveBeforeRuns(claimed);
}

// Runs on the synchronization's worker thread: the failure is told on the window's thread.
void ProgramRuntime::ClockSyncEnded(const ClockSyncOutcome& outcome) {
    if (outcome.result.ok() || outcome.message.text.empty()) return;
    QMetaObject::invokeMethod(
        this, [this, message = outcome.message] { m_app.MessageBox().PostMessageBox(message); },
        Qt::QueuedConnection);
}

void ProgramRuntime::StartBeepTicksIfNeeded() {
    if (m_parts->player.Beeping() && !m_beepTimer->isActive()) m_beepTimer->start(kBeepTickMs);
}

}  // namespace tidewell
