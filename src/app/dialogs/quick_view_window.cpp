#include "app/dialogs/quick_view_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <filesystem>
#include <sstream>

#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/quick_view_editor.h"
#include "app/dialogs/quick_view_runs_model.h"
#include "app/main_window/tidewell_doc.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/data_directories.h"
#include "config/quick_view_store.h"
#include "files/durable_file.h"
#include "overview/agenda.h"
#include "overview/icalendar.h"
#include "overview/quick_view_range.h"
#include "overview/task_texts.h"
#include "timing/run_text.h"
#include "timing/schedule_type_name.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

// Given to a chosen file name that has no extension of its own.
constexpr const char* kICalendarExtension = ".ics";

QPushButton* Button(int32_t textId, const char* name, QWidget* parent) {
    auto* button = new QPushButton(MessageText(textId), parent);
    button->setObjectName(name);
    return button;
}

// "Weekdays (This week (Monday - Friday))", or the description alone for a record without title.
QString PickerText(const QuickViewRecord& record) {
    const std::string description = QuickViewText(record);
    if (record.title.empty()) return ToQString(description);
    return ToQString(record.title + " " +
                     ReplaceAll(LoadMessage(IDS_KLN_ITEM_IN_PARENTHESES), "#1", description));
}

QTreeView* RunList(QuickViewRunsModel* model, QWidget* parent) {
    auto* runs = new QTreeView(parent);
    runs->setObjectName("quickViewRuns");
    runs->setModel(model);
    runs->setRootIsDecorated(false);
    runs->setAlternatingRowColors(true);
    runs->setUniformRowHeights(true);
    runs->setSelectionBehavior(QAbstractItemView::SelectRows);
    runs->setTextElideMode(Qt::ElideRight);
    // Fixed widths: sizing to contents would measure every one of many thousand rows.
    const QFontMetrics metrics = runs->fontMetrics();
    const QString widestTime = ToQString(RunInstantText(DateTime::FromParts(2026, 12, 31, 23, 59, 59)));
    runs->header()->resizeSection(QuickViewRunsModel::kRunTimeColumn,
                                  metrics.horizontalAdvance(widestTime) + 24);
    runs->header()->resizeSection(QuickViewRunsModel::kTitleColumn, metrics.averageCharWidth() * 24);
    runs->header()->resizeSection(
        QuickViewRunsModel::kTypeColumn,
        metrics.horizontalAdvance(ToQString(ScheduleTypeName(ScheduleType::once))) + 24);
    return runs;
}

// The task texts a run row shows, made once per task.
std::vector<QStringList> RowTexts(const TaskList& tasks, const DescriptionOptions& style,
                                  const DateTime& now) {
    std::vector<QStringList> texts;
    texts.reserve(tasks.size());
    for (const TaskRecord& task : tasks) {
        // A description reads on one line, times after their lead-in.
        QString description = DisplayText(TaskDescriptionText(task, style, now)).replace('\n', ' ');
        texts.push_back(
            {ToQString(task.title), ToQString(ScheduleTypeName(task.scheduleInfo.type)), description});
    }
    return texts;
}

}  // namespace

QuickViewWindow::QuickViewWindow(CTidewellApp& app, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_app(app),
      m_ownFileDialogs(std::make_unique<QtFileDialogs>()),
      m_fileDialogs(*m_ownFileDialogs) {
    Build();
}

QuickViewWindow::QuickViewWindow(CTidewellApp& app, FileDialogs& fileDialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_app(app), m_fileDialogs(fileDialogs) {
    Build();
}

void QuickViewWindow::Build() {
    setObjectName("quickViewWindow");
    setWindowTitle(MessageText(IDS_TIDEWELL_OPT_QV_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_picker = new QComboBox(this);
    m_picker->setObjectName("quickViewPicker");
    m_picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(MessageText(IDS_TIDEWELL_QV_PICK_Q), this);
    label->setBuddy(m_picker);
    QPushButton* add = Button(IDS_DIALOG_ADD_A, "quickViewAdd", this);
    m_edit = Button(IDS_DIALOG_EDIT_E, "quickViewEdit", this);
    m_delete = Button(IDS_DIALOG_DELETE_D, "quickViewDelete", this);
    top->addWidget(label);
    top->addWidget(m_picker, 1);
    top->addWidget(add);
    top->addWidget(m_edit);
    top->addWidget(m_delete);
    layout->addLayout(top);

    auto* rangeRow = new QHBoxLayout;
    m_range = new QLabel(this);
    m_range->setObjectName("quickViewRange");
    QFont bold = m_range->font();
    bold.setBold(true);
    m_range->setFont(bold);
    m_count = new QLabel(this);
    m_count->setObjectName("quickViewCount");
    rangeRow->addWidget(m_range);
    rangeRow->addStretch(1);
    rangeRow->addWidget(m_count);
    layout->addLayout(rangeRow);
    m_model = new QuickViewRunsModel(this);
    m_runs = RunList(m_model, this);
    layout->addWidget(m_runs, 1);
    m_cutShort = new QLabel(this);
    m_cutShort->setObjectName("quickViewCutShort");
    m_cutShort->hide();
    layout->addWidget(m_cutShort);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(MessageText(IDS_TIDEWELL_QV_EXPORT_X), QDialogButtonBox::ActionRole);
    m_export->setObjectName("quickViewExport");
    QPushButton* close =
        buttons->addButton(MessageText(IDS_DIALOG_FIND_CLOSE_L), QDialogButtonBox::RejectRole);
    close->setObjectName("quickViewClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(buttons);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_picker, &QComboBox::activated, this, &QuickViewWindow::OnActivated);
    connect(add, &QPushButton::clicked, this, &QuickViewWindow::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &QuickViewWindow::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &QuickViewWindow::OnDelete);
    connect(m_export, &QPushButton::clicked, this, &QuickViewWindow::OnExport);
    if (CTidewellDoc* doc = m_app.Document()) {
        connect(doc, &CTidewellDoc::listReset, this, &QuickViewWindow::Refresh);
        connect(doc, &CTidewellDoc::rowsChanged, this, &QuickViewWindow::Refresh);
    }
    resize(900, 520);
    Reload();
}

QuickViewWindow::~QuickViewWindow() = default;

std::string QuickViewWindow::FilePath() const {
    return QuickViewFilePath(m_app.UserData().Path());
}

void QuickViewWindow::Reload() {
    std::vector<std::string> lines;
    if (Result loaded = LoadQuickViewLines(FilePath(), lines); !loaded) {
        m_app.MessageBox().ShowMessageBox(loaded.message(), LoadMessage(IDS_KLN_ERROR),
                                          MB_OK | MB_ICONEXCLAMATION);
    }
    m_records = ParseQuickViewLines(lines, m_app.GetClock().Now());
    m_onSpot.reset();
    Select(m_records.empty() ? -1 : 0);
}

const QuickViewRecord* QuickViewWindow::Current() const {
    if (m_current >= 0 && m_current < static_cast<int>(m_records.size()))
        return &m_records[static_cast<std::size_t>(m_current)];
    return m_onSpot ? &*m_onSpot : nullptr;
}

// The saved Quick Views, the range given on the spot when there is one, "Another range...".
void QuickViewWindow::FillCombo() {
    m_picker->clear();
    for (const QuickViewRecord& record : m_records) m_picker->addItem(PickerText(record));
    if (m_onSpot) m_picker->addItem(PickerText(*m_onSpot));
    m_picker->addItem(MessageText(IDS_TIDEWELL_QV_OTHER_RANGE));
    m_picker->setCurrentIndex(m_current >= 0 ? m_current
                              : m_onSpot     ? static_cast<int>(m_records.size())
                                             : -1);
}

void QuickViewWindow::Select(int index) {
    if (index < 0 || index >= static_cast<int>(m_records.size())) index = -1;
    m_current = index;
    // Without a saved one to show, this week is shown.
    if (index < 0 && !m_onSpot) m_onSpot = DefaultQuickView(m_app.GetClock().Now());
    FillCombo();
    UpdateButtons();
    Refresh();
}

void QuickViewWindow::ShowOnSpot(const QuickViewRecord& record) {
    m_onSpot = record;
    Select(-1);
}

void QuickViewWindow::UpdateButtons() {
    m_edit->setEnabled(m_current >= 0);
    m_delete->setEnabled(m_current >= 0);
}

std::optional<QuickViewRange> QuickViewWindow::ShownRange(const DateTime& now) const {
    const QuickViewRecord* record = Current();
    if (record == nullptr || m_app.Document() == nullptr) return std::nullopt;
    return QuickViewRangeOf(*record, now);
}

void QuickViewWindow::Refresh() {
    m_cutShort->hide();
    const QuickViewRecord* record = Current();
    const CTidewellDoc* doc = m_app.Document();
    const DateTime now = m_app.GetClock().Now();
    const std::optional<QuickViewRange> range = ShownRange(now);
    m_export->setEnabled(range.has_value());
    if (!range) {
        m_model->SetRuns({}, {}, now);
        m_range->clear();
        m_count->clear();
        return;
    }
    const TaskList& tasks = doc->Tasks();
    RangeRuns shown = ComputeRangeRuns(tasks, range->start, range->end);
    const std::size_t total = shown.runs.size();
    m_model->SetRuns(std::move(shown.runs), RowTexts(tasks, m_app.DescriptionStyle(), now), now);
    // The list opens at the first run to come.
    if (const int first = m_model->FirstComingRow(); first >= 0) {
        const QModelIndex firstComing = m_model->index(first, 0);
        m_runs->setCurrentIndex(firstComing);
        m_runs->scrollTo(firstComing, QAbstractItemView::PositionAtTop);
    }
    std::string count = LoadMessage(IDS_TIDEWELL_QV_RUN_COUNT);
    count = ReplaceAll(std::move(count), "#1", std::to_string(total));
    count = ReplaceAll(std::move(count), "#2", RunDateText(range->start));
    count = ReplaceAll(std::move(count), "#3", RunDateText(range->end));
    m_range->setText(ToQString(QuickViewText(*record)));
    m_count->setText(ToQString(count));
    if (shown.stopsAfter) {
        m_cutShort->setText(ToQString(
            ReplaceAll(LoadMessage(IDS_TIDEWELL_QV_CUT_SHORT), "#1", RunInstantText(*shown.stopsAfter))));
        m_cutShort->show();
    }
}

void QuickViewWindow::OnActivated(int index) {
    const int saved = static_cast<int>(m_records.size());
    if (index < saved || (index == saved && m_onSpot)) {
        Select(index < saved ? index : -1);
        return;
    }
    const QuickViewRecord start = m_onSpot.value_or(DefaultQuickView(m_app.GetClock().Now()));
    QuickViewEditor editor(QuickViewEditor::Mode::onSpot, start, m_app.MessageBox(), this);
    if (editor.exec() == QDialog::Accepted) {
        ShowOnSpot(editor.Record());
    } else {
        Select(m_current);  // back to what was shown
    }
}

bool QuickViewWindow::Save(std::vector<QuickViewRecord> records) {
    const DateTime today = m_app.GetClock().Now();
    const auto readable = [today](std::string_view line) {
        return ParseQuickViewLine(line, today).has_value();
    };
    std::string keptAside;
    if (Result saved = SaveQuickViewLines(FilePath(), QuickViewLines(records), readable, &keptAside);
        !saved) {
        m_app.MessageBox().ShowMessageBox(saved.message(), LoadMessage(IDS_KLN_ERROR),
                                          MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!keptAside.empty()) {
        m_app.MessageBox().ShowMessageBox(
            ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", keptAside),
            LoadMessage(IDS_TIDEWELL_OPT_QV_TITLE), MB_OK | MB_ICONINFORMATION);
    }
    m_records = std::move(records);
    return true;
}

void QuickViewWindow::OnAdd() {
    // A new Quick View starts from the range being shown, so one given on the spot can be kept.
    QuickViewRecord start = Current() != nullptr ? *Current() : DefaultQuickView(m_app.GetClock().Now());
    start.title.clear();
    QuickViewEditor editor(QuickViewEditor::Mode::add, start, m_app.MessageBox(), this);
    if (editor.exec() != QDialog::Accepted) return;
    std::vector<QuickViewRecord> records = m_records;
    records.push_back(editor.Record());
    if (Save(std::move(records))) Select(static_cast<int>(m_records.size()) - 1);
}

void QuickViewWindow::OnEdit() {
    if (m_current < 0) return;
    const auto index = static_cast<std::size_t>(m_current);
    QuickViewEditor editor(QuickViewEditor::Mode::edit, m_records[index], m_app.MessageBox(), this);
    if (editor.exec() != QDialog::Accepted) return;
    std::vector<QuickViewRecord> records = m_records;
    records[index] = editor.Record();
    if (Save(std::move(records))) Select(m_current);
}

void QuickViewWindow::OnDelete() {
    if (m_current < 0) return;
    const auto index = static_cast<std::size_t>(m_current);
    const std::string name = ToStdString(PickerText(m_records[index]));
    if (m_app.MessageBox().ShowMessageBox(
            ReplaceAll(LoadMessage(IDS_TIDEWELL_QV_PROMPT_BEFORE_DELETE), "#1", name),
            LoadMessage(IDS_TIDEWELL_OPT_QV_TITLE), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    std::vector<QuickViewRecord> records = m_records;
    records.erase(records.begin() + m_current);
    if (Save(std::move(records))) Select(std::min(m_current, static_cast<int>(m_records.size()) - 1));
}

void QuickViewWindow::OnExport() {
    const DateTime now = m_app.GetClock().Now();
    const std::optional<QuickViewRange> range = ShownRange(now);
    if (!range) return;
    const std::string& folder =
        m_lastExportFolder.empty() ? m_app.GetLocations().documentsDir : m_lastExportFolder;
    std::optional<std::string> chosen =
        m_fileDialogs.SaveFile(this, MessageText(IDS_TIDEWELL_QV_EXPORT_CAPTION), folder,
                               QtFileFilters(LoadMessage(IDS_TIDEWELL_FILE_TYPE_ICALENDAR)));
    if (!chosen) return;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += kICalendarExtension;
    m_lastExportFolder = path.parent_path().string();

    const CTidewellDoc& doc = *m_app.Document();
    const TaskList& tasks = doc.Tasks();
    Agenda agenda;
    agenda.runs = ComputeRangeRuns(tasks, range->start, range->end).runs;
    std::ostringstream calendar;
    WriteLocalICalendar(agenda, tasks, now, m_app.DescriptionStyle(),
                        NextRunContext{doc.Context().clock, doc.Context().random}, calendar);
    if (const Result written = WriteFileDurably(path.string(), calendar.str()); !written) {
        m_app.MessageBox().ShowMessageBox(written.message(), LoadMessage(IDS_KLN_ERROR),
                                          MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace tidewell
