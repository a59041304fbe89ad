#pragma once

#include <QList>

#include "app/task_sheet/options_page.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QStackedWidget;

namespace tidewell {

struct BrowseRequest;

// What the task does: title, comments, enabled, the task type and the type's values (program
// or file and its parameter, macro and its password, notice message, system operation).
class CTaskPage final : public COptionsPage {
    Q_OBJECT

public:
    CTaskPage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    void LoadFromTask() override;
    void StoreToTask(TaskRecord& task) const override;
    std::string CheckValues() const override;

    // The notice text editor on the notice message, as its button opens it.
    void EditNotice();

private:
    QWidget* BuildProgramPart();
    QWidget* BuildMacroPart();
    QWidget* BuildNoticePart();
    QWidget* BuildOperationPart();
    void ShowTypePart();
    void FillOperations(WindowsOperation current);
    void Browse(QLineEdit* target, const BrowseRequest& request);
    static QFormLayout* PartForm(QWidget* part);
    // A label of the page's label column.
    QLabel* Label(int32_t id, QWidget* buddy, const char* name);

    QLineEdit* m_title;
    QPlainTextEdit* m_comment;
    QCheckBox* m_enabled;
    QComboBox* m_type;
    QStackedWidget* m_parts;
    QLineEdit* m_programPath = nullptr;
    QLineEdit* m_parameter = nullptr;
    QLineEdit* m_macroPath = nullptr;
    QCheckBox* m_macroHasPassword = nullptr;
    QLineEdit* m_macroPassword = nullptr;
    QPlainTextEdit* m_notice = nullptr;
    QComboBox* m_operation = nullptr;
    QCheckBox* m_force = nullptr;
    QSpinBox* m_operationWaiting = nullptr;
    QList<QWidget*> m_labels;
};

}  // namespace tidewell
