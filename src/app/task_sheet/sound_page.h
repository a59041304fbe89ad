#pragma once

#include "app/task_sheet/options_page.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace tidewell {

// The sound notice of a run: on or off, how long, beeps (frequency, beep and delay) or a
// music file. Try plays the chosen sound at once for at most kTrySeconds, asking first while
// the program is muted.
class CSoundPage final : public COptionsPage {
    Q_OBJECT

public:
    CSoundPage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);
    ~CSoundPage() override;

    void LoadFromTask() override;
    void StoreToTask(TaskRecord& task) const override;
    std::string CheckValues() const override;

    // Try Sound, and the end of a try (its timer, leaving the page, closing the sheet).
    void TrySound();
    void StopTry();
    bool Trying() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void UpdateEnabled();
    void OfferDefaultMusic();
    void BrowseMusic();
    void TickPlayer();

    QCheckBox* m_enable;
    QSpinBox* m_duration;
    QRadioButton* m_beep;
    QRadioButton* m_music;
    QSpinBox* m_frequency;
    QSpinBox* m_beepLength;
    QSpinBox* m_beepDelay;
    QLineEdit* m_musicPath;
    QPushButton* m_browse;
    QPushButton* m_try;
    QGroupBox* m_durationGroup;
    QGroupBox* m_soundGroup;
    QWidget* m_beepPart;
    QWidget* m_musicPart;
    QTimer* m_tryTimer;
    QTimer* m_tickTimer;
};

}  // namespace tidewell
