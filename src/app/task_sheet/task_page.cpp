#include "app/task_sheet/task_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/dialogs/file_dialogs.h"
#include "app/task_sheet/notice_text_editor.h"
#include "app/task_sheet/page_checks.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/windows/notice_text.h"
#include "base/text_util.h"
#include "text/list_texts.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr int kCommentLines = 3;
constexpr int kNoticeLines = 5;
// The clock synchronization operation belongs to the built-in task alone.
constexpr int kLastUserOperation = static_cast<int>(WindowsOperation::switchUser);

QPushButton* Button(int32_t id, QWidget* parent, const char* name) {
    auto* button = new QPushButton(MessageText(id), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit* TextBox(QWidget* parent, const char* name, int lines) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setTabChangesFocus(true);  // Tab leaves the box, as in every other field
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 12);
    return box;
}

}  // namespace

CTaskPage::CTaskPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_KLN_TASK, parent),
      m_title(new QLineEdit(this)),
      m_comment(TextBox(this, "commentEdit", kCommentLines)),
      m_enabled(new QCheckBox(MessageText(IDS_TIDEWELL_TASKPAGE_ENABLED_E), this)),
      m_type(new QComboBox(this)),
      m_parts(new QStackedWidget(this)) {
    setObjectName("taskPage");
    m_title->setObjectName("titleEdit");
    m_title->setMaxLength(static_cast<int>(kMaxTitleLength));
    m_enabled->setObjectName("enabledCheck");
    m_type->setObjectName("taskTypeCombo");
    m_parts->setObjectName("taskTypeParts");
    const std::pair<TaskType, int32_t> types[] = {
        {TaskType::program, IDS_TIDEWELL_TASKTYPE_RUN_PROGRAM},
        {TaskType::macro, IDS_TIDEWELL_TASKTYPE_RUN_MACRO},
        {TaskType::notice, IDS_TIDEWELL_TASKTYPE_NOTICE},
        {TaskType::windowsOperation, IDS_TIDEWELL_TTS_SPECIAL_WINDOWS_OPERATIONS},
    };
    for (const auto& [type, textId] : types) {
        if (type == TaskType::macro && context.peEdition) continue;
        m_type->addItem(MessageText(textId), static_cast<int>(type));
    }
    m_parts->addWidget(BuildProgramPart());
    m_parts->addWidget(BuildMacroPart());
    m_parts->addWidget(BuildNoticePart());
    m_parts->addWidget(BuildOperationPart());

    QFormLayout* form = PartForm(nullptr);
    form->addRow(Label(IDS_TIDEWELL_TASKPAGE_TITLE_T, m_title, "titleLabel"), m_title);
    form->addRow(Label(IDS_TIDEWELL_TASKPAGE_COMMENTS_C, m_comment, "commentLabel"), m_comment);
    form->addRow(QString(), m_enabled);
    form->addRow(Label(IDS_TIDEWELL_TASKPAGE_TASK_TYPE_Y, m_type, "taskTypeLabel"), m_type);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(m_parts);
    layout->addStretch(1);
    // One label column for the page and each type's part.
    int labelWidth = 0;
    for (QWidget* label : m_labels) labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QWidget* label : m_labels) label->setMinimumWidth(labelWidth);
    connect(m_type, &QComboBox::currentIndexChanged, this, &CTaskPage::ShowTypePart);
}

QWidget* CTaskPage::BuildProgramPart() {
    auto* part = new QWidget(this);
    part->setObjectName("programPart");
    m_programPath = new QLineEdit(part);
    m_programPath->setObjectName("programPathEdit");
    m_parameter = new QLineEdit(part);
    m_parameter->setObjectName("parameterEdit");
    QPushButton* program = Button(IDS_TIDEWELL_TTP_BROWSE_PROGRAM_R, part, "browseProgramButton");
    QPushButton* file = Button(IDS_TIDEWELL_TTP_BROWSE_FILE_I, part, "browseFileButton");
    auto* path = new QHBoxLayout;
    path->addWidget(m_programPath, 1);
    path->addWidget(program);
    path->addWidget(file);
    QFormLayout* form = PartForm(part);
    form->addRow(Label(IDS_TIDEWELL_TTP_EXECUTABLE_X, m_programPath, "programPathLabel"), path);
    form->addRow(Label(IDS_TIDEWELL_TTP_PARAMETER_P, m_parameter, "parameterLabel"), m_parameter);
    ChainTabOrder({m_programPath, program, file, m_parameter});
    connect(program, &QPushButton::clicked, this, [this] {
        // Programs here mostly have no extension: the dialog shows every file first.
        Browse(m_programPath, {IDS_TIDEWELL_FILE_TYPE_PROGRAMS_AND_FILES,
                               browse_keys::kFileSection,
                               browse_keys::kLastProgramDirectory,
                               {},
                               1,
                               PlainCaption(IDS_TIDEWELL_TTP_EXECUTABLE_X)});
    });
    connect(file, &QPushButton::clicked, this, [this] {
        Browse(m_programPath, {IDS_TIDEWELL_FILE_TYPE_ALL_FILES,
                               browse_keys::kFileSection,
                               browse_keys::kLastFileDirectory,
                               {},
                               0,
                               PlainCaption(IDS_TIDEWELL_TTP_EXECUTABLE_X)});
    });
    return part;
}

QWidget* CTaskPage::BuildMacroPart() {
    auto* part = new QWidget(this);
    part->setObjectName("macroPart");
    m_macroPath = new QLineEdit(part);
    m_macroPath->setObjectName("macroPathEdit");
    m_macroHasPassword = new QCheckBox(ToQString(LoadMessageLine(IDS_TIDEWELL_TTM_STRINGS, 1)), part);
    m_macroHasPassword->setObjectName("macroPasswordCheck");
    m_macroPassword = new QLineEdit(part);
    m_macroPassword->setObjectName("macroPasswordEdit");
    m_macroPassword->setEchoMode(QLineEdit::Password);
    const QString setPassword = ToQString(LoadMessageLine(IDS_TIDEWELL_TTM_STRINGS, 2));
    m_macroPassword->setPlaceholderText(setPassword);
    m_macroPassword->setToolTip(setPassword);
    QPushButton* browse = Button(IDS_DIALOG_BROWSE_W, part, "browseMacroButton");
    auto* pathLabel = new QLabel(ToQString(LoadMessageLine(IDS_TIDEWELL_TTM_STRINGS, 0)), part);
    pathLabel->setObjectName("macroPathLabel");
    pathLabel->setBuddy(m_macroPath);
    m_labels << pathLabel;
    auto* path = new QHBoxLayout;
    path->addWidget(m_macroPath, 1);
    path->addWidget(browse);
    QFormLayout* form = PartForm(part);
    form->addRow(pathLabel, path);
    form->addRow(QString(), m_macroHasPassword);
    form->addRow(QString(), m_macroPassword);
    ChainTabOrder({m_macroPath, browse, m_macroHasPassword, m_macroPassword});
    connect(m_macroHasPassword, &QCheckBox::toggled, m_macroPassword, &QLineEdit::setEnabled);
    connect(browse, &QPushButton::clicked, this, [this] {
        Browse(m_macroPath, {IDS_TIDEWELL_FILE_TYPE_MACRO,
                             browse_keys::kMacroFileSection,
                             browse_keys::kLastMacroDirectory,
                             {},
                             0,
                             PlainCaption(IDS_TIDEWELL_TASKTYPE_RUN_MACRO)});
    });
    return part;
}

QWidget* CTaskPage::BuildNoticePart() {
    auto* part = new QWidget(this);
    part->setObjectName("noticePart");
    m_notice = TextBox(part, "noticeEdit", kNoticeLines);
    QPushButton* editor = Button(IDS_TIDEWELL_TTN_EDIT_IN_NTE, part, "noticeEditorButton");
    // The note's own mnemonic would take the wizard's Next key.
    QLabel* note = TextLabel(IDS_TIDEWELL_TTN_NOTICE_NOTE_N, part, "noticeNote");
    note->setText(WithoutMnemonic(IDS_TIDEWELL_TTN_NOTICE_NOTE_N));
    auto* row = new QHBoxLayout;
    row->addWidget(note, 1);
    row->addWidget(editor, 0, Qt::AlignTop);
    QFormLayout* form = PartForm(part);
    form->addRow(Label(IDS_TIDEWELL_TTN_NOTICE_MESSAGE_O, m_notice, "noticeLabel"), m_notice);
    form->addRow(QString(), row);
    connect(editor, &QPushButton::clicked, this, &CTaskPage::EditNotice);
    return part;
}

QWidget* CTaskPage::BuildOperationPart() {
    auto* part = new QWidget(this);
    part->setObjectName("operationPart");
    m_operation = new QComboBox(part);
    m_operation->setObjectName("operationCombo");
    m_force = new QCheckBox(MessageText(IDS_TIDEWELL_TTS_FORCE_EXIT_F), part);
    m_force->setObjectName("forceCheck");
    m_operationWaiting = new QSpinBox(part);
    m_operationWaiting->setObjectName("operationWaitingSpin");
    m_operationWaiting->setRange(0, kMaxOperationWaitingTime);
    QFormLayout* form = PartForm(part);
    form->addRow(Label(IDS_TIDEWELL_TTS_OPERATION_O, m_operation, "operationLabel"), m_operation);
    form->addRow(QString(), m_force);
    auto* waiting = new QHBoxLayout;
    waiting->addWidget(TextLabel(IDS_TIDEWELL_TTS_PROMPT_WAITING_TIME_T, part, "operationWaitingLabel"));
    waiting->addWidget(m_operationWaiting);
    waiting->addStretch(1);
    part->findChild<QLabel*>("operationWaitingLabel")->setBuddy(m_operationWaiting);
    form->addRow(QString(), waiting);
    return part;
}

QFormLayout* CTaskPage::PartForm(QWidget* part) {
    auto* form = new QFormLayout(part);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QLabel* CTaskPage::Label(int32_t id, QWidget* buddy, const char* name) {
    QLabel* label = BuddyLabel(id, buddy, buddy->parentWidget(), name);
    m_labels << label;
    return label;
}

void CTaskPage::FillOperations(WindowsOperation current) {
    m_operation->clear();
    const int last = std::max(kLastUserOperation, static_cast<int>(current));
    for (int code = 0; code <= last; ++code)
        m_operation->addItem(
            ToQString(LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, static_cast<size_t>(code))), code);
    SelectCode(m_operation, static_cast<int>(current));
}

void CTaskPage::LoadFromTask() {
    const TaskRecord& task = Task();
    const TaskInfo& info = task.taskInfo;
    m_title->setText(ToQString(task.title));
    m_comment->setPlainText(DisplayText(task.comment));
    m_enabled->setChecked(task.enabled);
    SelectCode(m_type, static_cast<int>(info.taskType));
    m_programPath->setText(ToQString(info.programPath));
    m_parameter->setText(ToQString(info.parameter));
    m_macroPath->setText(ToQString(info.macroPath));
    m_macroHasPassword->setChecked(!info.macroPassword.empty());
    m_macroPassword->setEnabled(!info.macroPassword.empty());
    m_macroPassword->setText(ToQString(info.macroPassword));
    m_notice->setPlainText(DisplayText(info.noticeMsg));
    FillOperations(info.swoType);
    m_force->setChecked(info.swoForce);
    m_operationWaiting->setValue(std::clamp(info.swoWaitingTime, 0, kMaxOperationWaitingTime));
    ShowTypePart();
}

void CTaskPage::StoreToTask(TaskRecord& task) const {
    TaskInfo& info = task.taskInfo;
    task.title = ToStdString(m_title->text());
    task.comment = StoredNoticeText(m_comment->toPlainText());
    task.enabled = m_enabled->isChecked();
    info.taskType = static_cast<TaskType>(SelectedCode(m_type));
    info.programPath = ToStdString(m_programPath->text());
    info.parameter = ToStdString(m_parameter->text());
    info.macroPath = ToStdString(m_macroPath->text());
    info.macroPassword =
        m_macroHasPassword->isChecked() ? ToStdString(m_macroPassword->text()) : std::string();
    info.noticeMsg = StoredNoticeText(m_notice->toPlainText());
    info.swoType = static_cast<WindowsOperation>(SelectedCode(m_operation));
    info.swoForce = m_force->isChecked();
    info.swoWaitingTime = m_operationWaiting->value();
}

std::string CTaskPage::CheckValues() const {
    TaskRecord probe = Task();
    StoreToTask(probe);
    std::string problems = PartProblems(probe, TaskPart::action, Context().macroChecking);
    if (probe.taskInfo.taskType == TaskType::notice &&
        NoticeTextLength(m_notice->toPlainText()) > kMaxNoticeTextLength) {
        if (!problems.empty()) problems += "\r\n\r\n";
        problems += NoticeTooLongMessage();
    }
    return problems;
}

void CTaskPage::ShowTypePart() {
    m_parts->setCurrentIndex(std::clamp(SelectedCode(m_type), 0, m_parts->count() - 1));
}

void CTaskPage::Browse(QLineEdit* target, const BrowseRequest& request) {
    if (std::optional<std::string> chosen = BrowseForFile(Context(), this, request)) {
        target->setText(ToQString(*chosen));
        target->setFocus();
    }
}

void CTaskPage::EditNotice() {
    CNoticeTextEditor editor(m_notice->toPlainText(), Context(), this);
    if (editor.exec() == QDialog::Accepted) m_notice->setPlainText(editor.Text());
}

}  // namespace tidewell
