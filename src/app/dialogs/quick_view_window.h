#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "overview/quick_view.h"
#include "overview/quick_view_range.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace tidewell {

class CTidewellApp;
class FileDialogs;
class QuickViewRunsModel;

// The Quick View window: pick a saved Quick View, or a range given on the spot, and see every
// run of every task inside it in time order. Quick Views are added, edited and deleted here and
// kept in "qv.ini" of the user data directory. The runs follow the task list as it changes.
class QuickViewWindow final : public QWidget {
    Q_OBJECT

public:
    // The program's own file dialogs.
    explicit QuickViewWindow(CTidewellApp& app, QWidget* parent = nullptr);
    // Given ones.
    QuickViewWindow(CTidewellApp& app, FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~QuickViewWindow() override;

    const std::vector<QuickViewRecord>& Records() const { return m_records; }
    // Reads the Quick Views of the current user data directory again and shows the first.
    void Reload();
    // Shows the runs of saved Quick View `index`; -1 for the range given on the spot.
    void Select(int index);
    // Shows the runs of a range that is not stored.
    void ShowOnSpot(const QuickViewRecord& record);
    // Computes the runs of the shown range again, as of now.
    void Refresh();

    // The buttons' actions; each opens the editor (or the delete question) modally.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // Writes the runs shown into an iCalendar file the user picks.
    void OnExport();

private:
    void Build();
    void OnActivated(int index);
    void FillCombo();
    bool Save(std::vector<QuickViewRecord> records);
    std::string FilePath() const;
    const QuickViewRecord* Current() const;
    // The range of the Quick View shown, as of `now`; nothing without one or without a list.
    std::optional<QuickViewRange> ShownRange(const DateTime& now) const;
    void UpdateButtons();

    CTidewellApp& m_app;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    FileDialogs& m_fileDialogs;
    std::vector<QuickViewRecord> m_records;
    std::optional<QuickViewRecord> m_onSpot;
    int m_current = -1;              // index into m_records; -1 for the on-the-spot range
    std::string m_lastExportFolder;  // where the next export's dialog opens
    QComboBox* m_picker = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
    QLabel* m_range = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_cutShort = nullptr;
    QTreeView* m_runs = nullptr;
    QuickViewRunsModel* m_model = nullptr;
};

}  // namespace tidewell
