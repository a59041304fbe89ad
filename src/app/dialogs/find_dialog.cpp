#include "app/dialogs/find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/task_finder.h"
#include "app/widgets/qt_text.h"
#include "config/find_settings.h"

namespace tidewell {
namespace {

template <typename Button>
Button* Named(const char* name, int32_t textId, QWidget* parent) {
    auto* button = new Button(MessageText(textId), parent);
    button->setObjectName(name);
    return button;
}

QGroupBox* ChoiceGroup(int32_t titleId, QRadioButton* first, QRadioButton* second, QWidget* parent) {
    auto* group = new QGroupBox(MessageText(titleId), parent);
    auto* layout = new QHBoxLayout(group);
    first->setParent(group);
    second->setParent(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

}  // namespace

FindDialog::FindDialog(TaskFinder& finder, SettingsPort& settings, QWidget* parent)
    : QDialog(parent), m_finder(finder), m_settings(settings) {
    setObjectName("findDialog");
    setWindowTitle(MessageText(IDS_DIALOG_FIND_TITLE));
    m_findWhat = new QComboBox(this);
    m_findWhat->setObjectName("findWhatCombo");
    m_findWhat->setEditable(true);
    m_findWhat->setInsertPolicy(QComboBox::NoInsert);
    m_findWhat->setMinimumWidth(260);
    m_wholeWord = Named<QCheckBox>("wholeWordCheck", IDS_DIALOG_FIND_MATCH_WHOLE_WORD_W, this);
    m_matchCase = Named<QCheckBox>("matchCaseCheck", IDS_DIALOG_FIND_MATCH_CASE_M, this);
    m_closeWhenDone = Named<QCheckBox>("closeWhenDoneCheck", IDS_DIALOG_FIND_CLOSE_WHEN_DONE_B, this);
    m_up = Named<QRadioButton>("upRadio", IDS_DIALOG_FIND_UP_U, this);
    m_down = Named<QRadioButton>("downRadio", IDS_DIALOG_FIND_DOWN_D, this);
    m_currentItem = Named<QRadioButton>("currentItemRadio", IDS_DIALOG_FIND_CURRENT_ITEM_E, this);
    m_nextItem = Named<QRadioButton>("nextItemRadio", IDS_DIALOG_FIND_NEXT_ITEM_I, this);
    m_findNext = Named<QPushButton>("findNextButton", IDS_MENU_EDIT_FIND_NEXT_N, this);
    m_findCount = Named<QPushButton>("findCountButton", IDS_DIALOG_FIND_FIND_COUNT_C, this);
    auto* close = Named<QPushButton>("findCloseButton", IDS_DIALOG_FIND_CLOSE_L, this);
    m_findNext->setDefault(true);

    auto* label = new QLabel(MessageText(IDS_DIALOG_FIND_FIND_WHAT_F), this);
    label->setBuddy(m_findWhat);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_findWhat, 0, 1);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* box : {m_wholeWord, m_matchCase, m_closeWhenDone}) checks->addWidget(box);
    grid->addLayout(checks, 1, 0, 1, 2);
    auto* groups = new QHBoxLayout;
    groups->addWidget(ChoiceGroup(IDS_DIALOG_FIND_DIRECTION, m_up, m_down, this));
    groups->addWidget(ChoiceGroup(IDS_DIALOG_FIND_STARTING_ITEM, m_currentItem, m_nextItem, this));
    grid->addLayout(groups, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_findNext, m_findCount, close}) buttons->addWidget(button);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 3, 1);

    const FindDialogSettings options = ReadFindSettings(settings);
    m_wholeWord->setChecked(options.wholeWord);
    m_matchCase->setChecked(options.matchCase);
    m_closeWhenDone->setChecked(options.closeWhenDone);
    (options.up ? m_up : m_down)->setChecked(true);
    (options.startFromCurrent ? m_currentItem : m_nextItem)->setChecked(true);
    for (const std::string& text : ReadFindHistory(settings)) m_findWhat->addItem(ToQString(text));
    if (m_findWhat->count() > 0) m_findWhat->setCurrentIndex(0);
    m_findWhat->lineEdit()->selectAll();

    connect(m_findWhat, &QComboBox::editTextChanged, this, &FindDialog::UpdateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::OnFindNext);
    connect(m_findCount, &QPushButton::clicked, this, &FindDialog::OnFindCount);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

std::vector<std::string> FindDialog::History() const {
    std::vector<std::string> history;
    for (int i = 0; i < m_findWhat->count(); ++i) history.push_back(ToStdString(m_findWhat->itemText(i)));
    return history;
}

void FindDialog::UpdateButtons() {
    const bool searchable = !m_findWhat->currentText().isEmpty() && m_finder.CanSearch();
    m_findNext->setEnabled(searchable);
    m_findCount->setEnabled(searchable);
}

void FindDialog::TakeSearch() {
    const std::string text = ToStdString(m_findWhat->currentText());
    const std::vector<std::string> history = PushFindHistory(History(), text);
    m_findWhat->blockSignals(true);
    m_findWhat->clear();
    for (const std::string& entry : history) m_findWhat->addItem(ToQString(entry));
    m_findWhat->setCurrentIndex(0);
    m_findWhat->blockSignals(false);
    FindOptions search;
    search.text = text;
    search.wholeWord = m_wholeWord->isChecked();
    search.matchCase = m_matchCase->isChecked();
    search.closeWhenDone = m_closeWhenDone->isChecked();
    search.up = m_up->isChecked();
    search.startFromCurrent = m_currentItem->isChecked();
    m_finder.SetData(std::move(search));
}

void FindDialog::OnFindNext() {
    if (m_findWhat->currentText().isEmpty() || !m_finder.CanSearch()) return;
    TakeSearch();
    const bool found = m_finder.FindNext();
    UpdateButtons();
    if (found && m_finder.Data().closeWhenDone) accept();
}

void FindDialog::OnFindCount() {
    if (m_findWhat->currentText().isEmpty() || !m_finder.CanSearch()) return;
    TakeSearch();
    m_finder.ShowCount();
    UpdateButtons();
}

void FindDialog::done(int result) {
    FindDialogSettings options;
    options.wholeWord = m_wholeWord->isChecked();
    options.matchCase = m_matchCase->isChecked();
    options.closeWhenDone = m_closeWhenDone->isChecked();
    options.up = m_up->isChecked();
    options.startFromCurrent = m_currentItem->isChecked();
    // One replacement of the file for the whole close.
    SettingsBatch batch(m_settings);
    if (!FirstFailure({WriteFindSettings(m_settings, options), WriteFindHistory(m_settings, History()),
                       batch.Finish()})) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
    QDialog::done(result);
}

}  // namespace tidewell
