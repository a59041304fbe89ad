#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "overview/quick_view.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace tidewell {

class CTidewellApp;
class QuickViewRunsModel;

// The Quick View window: pick a saved Quick View, or a range given on the spot, and see every
// run of every task inside it in time order. Quick Views are added, edited and deleted here and
// kept in "qv.ini" of the user data directory. The runs follow the task list as it changes.
class QuickViewWindow final : public QWidget {
    Q_OBJECT

public:
    explicit QuickViewWindow(CTidewellApp& app, QWidget* parent = nullptr);

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

private:
    void OnActivated(int index);
    void FillCombo();
    bool Save(std::vector<QuickViewRecord> records);
    std::string FilePath() const;
    const QuickViewRecord* Current() const;
    void UpdateButtons();

    CTidewellApp& m_app;
    std::vector<QuickViewRecord> m_records;
    std::optional<QuickViewRecord> m_onSpot;
    int m_current = -1;  // index into m_records; -1 for the on-the-spot range
    QComboBox* m_picker = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QLabel* m_range = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_cutShort = nullptr;
    QTreeView* m_runs = nullptr;
    QuickViewRunsModel* m_model = nullptr;
};

}  // namespace tidewell
