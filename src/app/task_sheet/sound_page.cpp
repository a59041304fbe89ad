#include "app/task_sheet/sound_page.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "app/dialogs/file_dialogs.h"
#include "app/task_sheet/page_checks.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "config/locations.h"
#include "runtime/default_sound.h"
#include "runtime/task_sound.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

// The player's beeps and music are ticked this often while a try sounds.
constexpr int kTryTickMs = 25;

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
}

}  // namespace

CSoundPage::CSoundPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_SOUNDPAGE_TITLE, parent),
      m_enable(new QCheckBox(MessageText(IDS_TIDEWELL_SOUNDPAGE_ENABLE_SOUND_E), this)),
      m_duration(Spin(this, "durationSpin", 1, 3600)),
      m_beep(new QRadioButton(MessageText(IDS_TIDEWELL_SOUNDPAGE_BEEP_P), this)),
      m_music(new QRadioButton(MessageText(IDS_TIDEWELL_SOUNDPAGE_MUSIC_M), this)),
      m_frequency(Spin(this, "frequencySpin", kMinBeepFrequency, kMaxBeepFrequency)),
      m_beepLength(Spin(this, "beepLengthSpin", kMinBeepLengthMs, kMaxBeepLengthMs)),
      m_beepDelay(Spin(this, "beepDelaySpin", kMinBeepPauseMs, kMaxBeepPauseMs)),
      m_musicPath(new QLineEdit(this)),
      m_browse(new QPushButton(MessageText(IDS_DIALOG_BROWSE_W), this)),
      m_try(new QPushButton(MessageText(IDS_TIDEWELL_SOUNDPAGE_TRY_SOUND), this)),
      m_durationGroup(new QGroupBox(MessageText(IDS_TIDEWELL_SOUNDPAGE_GROUP_DURATION), this)),
      m_soundGroup(new QGroupBox(MessageText(IDS_TIDEWELL_SOUNDPAGE_GROUP_SOUND), this)),
      m_beepPart(new QWidget(this)),
      m_musicPart(new QWidget(this)),
      m_tryTimer(new QTimer(this)),
      m_tickTimer(new QTimer(this)) {
    setObjectName("soundPage");
    m_enable->setObjectName("soundEnableCheck");
    m_beep->setObjectName("beepRadio");
    m_music->setObjectName("musicRadio");
    m_musicPath->setObjectName("musicPathEdit");
    m_browse->setObjectName("browseMusicButton");
    m_try->setObjectName("trySoundButton");
    m_durationGroup->setObjectName("durationGroup");
    m_soundGroup->setObjectName("soundGroup");
    m_tryTimer->setObjectName("trySoundTimer");
    m_tryTimer->setSingleShot(true);
    m_tryTimer->setInterval(kTrySeconds * 1000);
    m_tickTimer->setInterval(kTryTickMs);
    for (QPushButton* button : {m_browse, m_try}) button->setAutoDefault(false);

    auto* duration = new QHBoxLayout(m_durationGroup);
    duration->addWidget(
        BuddyLabel(IDS_TIDEWELL_SOUNDPAGE_DURATION_D, m_duration, m_durationGroup, "durationLabel"));
    duration->addWidget(m_duration);
    duration->addWidget(TextLabel(IDS_TIDEWELL_UNIT_SECONDS, m_durationGroup, "durationUnit"));
    duration->addStretch(1);

    auto* beep = new QFormLayout(m_beepPart);
    beep->setContentsMargins(24, 0, 0, 0);
    beep->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    beep->addRow(TextLabel(IDS_TIDEWELL_SOUNDPAGE_ONE_ROUND, m_beepPart, "oneRoundLabel"));
    beep->addRow(BuddyLabel(IDS_TIDEWELL_SOUNDPAGE_FREQUENCY_F, m_frequency, m_beepPart, "frequencyLabel"),
                 m_frequency);
    beep->addRow(BuddyLabel(IDS_TIDEWELL_SOUNDPAGE_BEEP_B, m_beepLength, m_beepPart, "beepLengthLabel"),
                 m_beepLength);
    beep->addRow(BuddyLabel(IDS_TIDEWELL_SOUNDPAGE_DELAY_Y, m_beepDelay, m_beepPart, "beepDelayLabel"),
                 m_beepDelay);
    auto* music = new QHBoxLayout(m_musicPart);
    music->setContentsMargins(24, 0, 0, 0);
    music->addWidget(BuddyLabel(IDS_TIDEWELL_SOUNDPAGE_PATH_H, m_musicPath, m_musicPart, "musicPathLabel"));
    music->addWidget(m_musicPath, 1);
    music->addWidget(m_browse);

    auto* sound = new QVBoxLayout(m_soundGroup);
    sound->addWidget(m_beep);
    sound->addWidget(m_beepPart);
    sound->addWidget(m_music);
    sound->addWidget(m_musicPart);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enable);
    layout->addWidget(m_durationGroup);
    layout->addWidget(m_soundGroup);
    auto* tryRow = new QHBoxLayout;
    tryRow->addStretch(1);
    tryRow->addWidget(m_try);
    layout->addLayout(tryRow);
    layout->addStretch(1);

    ChainTabOrder({m_enable, m_duration, m_beep, m_frequency, m_beepLength, m_beepDelay, m_music, m_musicPath,
                   m_browse, m_try});
    connect(m_enable, &QCheckBox::toggled, this, &CSoundPage::UpdateEnabled);
    connect(m_beep, &QRadioButton::toggled, this, &CSoundPage::UpdateEnabled);
    connect(m_music, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OfferDefaultMusic();
        UpdateEnabled();
    });
    connect(m_browse, &QPushButton::clicked, this, &CSoundPage::BrowseMusic);
    connect(m_try, &QPushButton::clicked, this, &CSoundPage::TrySound);
    connect(m_tryTimer, &QTimer::timeout, this, &CSoundPage::StopTry);
    connect(m_tickTimer, &QTimer::timeout, this, &CSoundPage::TickPlayer);
}

CSoundPage::~CSoundPage() {
    StopTry();
}

void CSoundPage::LoadFromTask() {
    const SoundInfo& sound = Task().soundInfo;
    m_enable->setChecked(sound.noticeSound);
    m_duration->setValue(sound.duration);
    m_frequency->setValue(sound.beepFrequency);
    m_beepLength->setValue(sound.beepBeep);
    m_beepDelay->setValue(sound.beepDelay);
    m_musicPath->setText(ToQString(sound.musicFilePath));
    m_beep->setChecked(sound.type == 0);
    m_music->setChecked(sound.type != 0);
    if (sound.type != 0) OfferDefaultMusic();
    UpdateEnabled();
}

void CSoundPage::StoreToTask(TaskRecord& task) const {
    SoundInfo& sound = task.soundInfo;
    sound.noticeSound = m_enable->isChecked();
    sound.duration = m_duration->value();
    sound.type = m_music->isChecked() ? kMusicSoundType : 0;
    sound.beepFrequency = m_frequency->value();
    sound.beepBeep = m_beepLength->value();
    sound.beepDelay = m_beepDelay->value();
    sound.musicFilePath = ToStdString(m_musicPath->text().trimmed());
}

std::string CSoundPage::CheckValues() const {
    TaskRecord probe = Task();
    StoreToTask(probe);
    return PartProblems(probe, TaskPart::sound, Context().macroChecking);
}

// A music notice without a file gets the program's own sound for the kind of task.
void CSoundPage::OfferDefaultMusic() {
    if (!m_musicPath->text().trimmed().isEmpty()) return;
    TaskRecord probe = Task();
    if (ChooseDefaultSound(probe, Context().mediaFolders))
        m_musicPath->setText(ToQString(probe.soundInfo.musicFilePath));
}

void CSoundPage::UpdateEnabled() {
    const bool on = m_enable->isChecked();
    m_durationGroup->setEnabled(on);
    m_soundGroup->setEnabled(on);
    m_beepPart->setEnabled(on && m_beep->isChecked());
    m_musicPart->setEnabled(on && m_music->isChecked());
    m_try->setEnabled(on);
}

void CSoundPage::BrowseMusic() {
    const std::string media = Context().mediaFolders.empty() ? std::string() : Context().mediaFolders.front();
    const BrowseRequest request{
        IDS_TIDEWELL_FILE_TYPE_SOUND,
        browse_keys::kFileSection,
        browse_keys::kLastMusicDirectory,
        media.empty() ? std::string() : JoinPath(media, browse_keys::kDefaultMusicFolder),
        0,
        PlainCaption(IDS_TIDEWELL_SOUNDPAGE_MUSIC_M)};
    if (std::optional<std::string> chosen = BrowseForFile(Context(), this, request)) {
        m_musicPath->setText(ToQString(*chosen));
        m_musicPath->setFocus();
    }
}

void CSoundPage::TrySound() {
    StopTry();
    SheetContext& context = Context();
    TaskRecord probe = Task();
    StoreToTask(probe);
    const auto now = std::chrono::steady_clock::now();
    const bool started = m_music->isChecked() ? TryMusicFile(context.player, probe.soundInfo.musicFilePath,
                                                             now, context.settings, context.messageBox)
                                              : TryBeep(context.player, probe.soundInfo, now,
                                                        context.settings, context.messageBox);
    if (!started) return;
    m_tryTimer->start();
    m_tickTimer->start();
}

void CSoundPage::StopTry() {
    if (!Trying()) return;
    m_tryTimer->stop();
    m_tickTimer->stop();
    Context().player.StopCurrentSound();
}

bool CSoundPage::Trying() const {
    return m_tryTimer->isActive();
}

void CSoundPage::TickPlayer() {
    const auto now = std::chrono::steady_clock::now();
    if (const Result beeped = Context().player.BeepTick(now); !beeped) {
        // A tone the device refused: the try ends, and says why without stopping the timer's loop.
        StopTry();
        MessageBoxCall call;
        call.text = beeped.message();
        call.caption = LoadMessage(IDS_KLN_ERROR);
        call.style = MB_OK | MB_ICONERROR;
        Context().messageBox.PostMessageBox(std::move(call));
        return;
    }
    Context().player.MusicTick(now);
}

void CSoundPage::hideEvent(QHideEvent* event) {
    StopTry();
    COptionsPage::hideEvent(event);
}

}  // namespace tidewell
