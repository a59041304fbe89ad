#include "app/windows/countdown_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/widgets/program_icon.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"

namespace tidewell {
namespace {

constexpr int kSecondMs = 1000;

// The operation's line of a list of the message table.
std::string OperationLine(int32_t listId, int operation) {
    const std::vector<std::string> lines = SplitLines(LoadMessage(listId));
    return operation >= 0 && static_cast<size_t>(operation) < lines.size()
               ? lines[static_cast<size_t>(operation)]
               : std::string();
}

}  // namespace

CountdownDialog::CountdownDialog(const CountdownRequest& request, std::function<void(CountdownOutcome)> done,
                                 QWidget* parent)
    : QDialog(parent),
      m_request(request),
      m_done(std::move(done)),
      m_secondsLeft(request.seconds),
      m_prompt(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_timer(new QTimer(this)) {
    setObjectName("countdownWindow");
    setWindowTitle(MessageText(IDS_DIALOG_SHUT_DOWN_TITLE));
    setWindowIcon(ProgramIcon());
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    m_prompt->setObjectName("countdownPrompt");
    m_prompt->setWordWrap(true);
    m_progress->setObjectName("countdownProgress");
    m_progress->setRange(0, request.seconds);
    m_progress->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_progress);
    if (request.force) {
        auto* force = new QLabel(MessageText(IDS_DIALOG_SHUT_DOWN_PROMPT_FORCE), this);
        force->setObjectName("countdownForce");
        force->setWordWrap(true);
        layout->addWidget(force);
    }
    auto* buttons = new QDialogButtonBox(this);
    const std::string name = OperationLine(IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST, request.operation);
    QPushButton* now = buttons->addButton(
        DisplayText(ReplaceAll(LoadMessage(IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_HOLDER_R), "#1", name)),
        QDialogButtonBox::AcceptRole);
    now->setObjectName("countdownRightNow");
    QPushButton* cancel = buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName("countdownCancel");
    cancel->setDefault(true);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(now, &QPushButton::clicked, this, [this] { Finish(CountdownOutcome::perform); });
    connect(this, &QDialog::rejected, this, [this] { Finish(CountdownOutcome::cancelled); });
    connect(m_timer, &QTimer::timeout, this, &CountdownDialog::Tick);
    m_timer->start(kSecondMs);
    ShowRemaining();
}

void CountdownDialog::Tick() {
    --m_secondsLeft;
    ShowRemaining();
    if (m_secondsLeft <= 1) Finish(CountdownOutcome::perform);
}

void CountdownDialog::ShowRemaining() {
    std::string text = LoadMessage(IDS_DIALOG_SHUT_DOWN_PROMPT_HOLDER);
    text = ReplaceAll(std::move(text), "#1", std::to_string(m_secondsLeft));
    text = ReplaceAll(std::move(text), "#2",
                      OperationLine(IDS_DIALOG_SHUT_DOWN_PROMPT_LIST, m_request.operation));
    m_prompt->setText(DisplayText(text));
    m_progress->setValue(m_request.seconds - m_secondsLeft);
}

// Ends the dialog once, whichever way it ends.
void CountdownDialog::Finish(CountdownOutcome outcome) {
    if (!m_done) return;
    m_timer->stop();
    auto done = std::exchange(m_done, {});
    close();
    done(outcome);
}

void QtCountdownWindow::ShowCountdown(const CountdownRequest& request,
                                      std::function<void(CountdownOutcome)> done) {
    auto* dialog = new CountdownDialog(request, std::move(done));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace tidewell
