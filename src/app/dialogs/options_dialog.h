#pragma once

#include <QDialog>
#include <string>

namespace tidewell {

class CTidewellApp;
class COptGeneralPage;
class COptSchedulePage;

// The Options dialog: the General and Schedule pages over the program's settings. OK applies
// both pages and closes; a refusal (a user data directory that cannot be taken, a password file
// that cannot be written) is told and keeps the dialog open.
class OptionsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit OptionsDialog(CTidewellApp& app, QWidget* parent = nullptr);

    COptGeneralPage& GeneralPage() { return *m_general; }
    COptSchedulePage& SchedulePage() { return *m_schedule; }

    // Applies what the pages hold; false when something was refused.
    bool Apply();
    // Whether an apply changed how yearly schedules are described.
    bool SummarySettingsChanged() const { return m_summaryChanged; }
    bool HasChanges() const;

    void accept() override;

protected:
    // The close box with changes asks whether to apply them first.
    void closeEvent(QCloseEvent* event) override;

private:
    bool CheckUserDataDirectory(const std::string& path);
    bool ApplyPassword();
    bool SwitchUserDataDirectory(const std::string& path);
    // Before the data is copied into `path`: when both folders hold a schedule, asks which list
    // to use there and keeps the other one (the folder's aside, or ours in the old folder, by
    // naming it in `leaveOut`). False when the user cancels or keeping failed (told).
    bool KeepOneList(const std::string& path, std::string& leaveOut);
    void ShowNotSaved(const std::string& reason);

    CTidewellApp& m_app;
    COptGeneralPage* m_general = nullptr;
    COptSchedulePage* m_schedule = nullptr;
    bool m_summaryChanged = false;
};

}  // namespace tidewell
