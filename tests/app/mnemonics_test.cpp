// Alt and a letter reach one control: on every page of the task wizard, the Edit sheet and
// Options, in both languages and for every task and schedule type, no two controls shown and
// enabled share a mnemonic.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <utility>
#include <vector>

#include "app/app_fixture.h"
#include "app/dialogs/options_dialog.h"
#include "app/task_sheet/options_page.h"
#include "app/task_sheet/task_editing.h"
#include "support/recording_audio.h"
#include "support/scripted_file_dialogs.h"
#include "text/language.h"

namespace tidewell::testing {
namespace {

// The key after the "&" that marks a mnemonic ("&&" is a plain "&"), lower case; empty for none.
QString MnemonicOf(const QString& text) {
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != QLatin1Char('&')) continue;
        if (text[at + 1] != QLatin1Char('&')) return text.mid(at + 1, 1).toLower();
        ++at;
    }
    return {};
}

// The texts that give a window's shown and enabled controls their mnemonics: buttons, check
// boxes and radio buttons, labels with buddies, group boxes and tabs.
QStringList MnemonicTexts(const QWidget* window) {
    QStringList texts;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisible() || !control->isEnabled()) continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) texts << button->text();
        if (const auto* label = qobject_cast<const QLabel*>(control); label != nullptr && label->buddy())
            texts << label->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(control)) texts << group->title();
        if (const auto* tabs = qobject_cast<const QTabBar*>(control)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                if (tabs->isTabEnabled(tab) && tabs->isTabVisible(tab)) texts << tabs->tabText(tab);
            }
        }
    }
    return texts;
}

void ExpectUniqueMnemonics(const QWidget* window, const std::string& where) {
    QMap<QString, QStringList> byKey;
    for (const QString& text : MnemonicTexts(window)) {
        if (const QString key = MnemonicOf(text); !key.isEmpty()) byKey[key] << text;
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        EXPECT_EQ(it->size(), 1) << where << ": Alt+" << it.key().toStdString() << " on \""
                                 << it->join("\", \"").toStdString() << '"';
    }
}

// Checks the page shown with every check box on (which enables what they govern) and with each
// radio button chosen in turn, for each choice of its task or schedule type; the page is left
// as it was found, so that it can still be left.
void ExpectUniqueOnEveryChoice(QWidget* window, QWidget* page, const std::string& where) {
    std::vector<QComboBox*> types;
    for (auto* combo : page->findChildren<QComboBox*>()) {
        if (combo->objectName() == "taskTypeCombo" || combo->objectName() == "scheduleTypeCombo")
            types.push_back(combo);
    }
    const auto checkStates = [&](const std::string& state) {
        std::vector<std::pair<QAbstractButton*, bool>> kept;
        for (auto* box : page->findChildren<QCheckBox*>()) kept.emplace_back(box, box->isChecked());
        for (auto* radio : page->findChildren<QRadioButton*>()) kept.emplace_back(radio, radio->isChecked());
        for (auto* box : page->findChildren<QCheckBox*>()) box->setChecked(true);
        ExpectUniqueMnemonics(window, state);
        for (auto* radio : page->findChildren<QRadioButton*>()) {
            if (!radio->isVisible()) continue;
            radio->setChecked(true);
            ExpectUniqueMnemonics(window, state + " / " + radio->text().toStdString());
        }
        for (auto [button, checked] : kept) {
            if (checked || qobject_cast<QCheckBox*>(button) != nullptr) button->setChecked(checked);
        }
    };
    checkStates(where);
    for (QComboBox* combo : types) {
        const int kept = combo->currentIndex();
        for (int index = 0; index < combo->count(); ++index) {
            combo->setCurrentIndex(index);
            checkStates(where + " / " + combo->currentText().toStdString());
        }
        combo->setCurrentIndex(kept);
    }
}

class MnemonicsTest : public AppFixture {
protected:
    void SetUp() override {
        InstallExampleSchedule();
        m_app = Start();
        ASSERT_NE(m_app, nullptr);
    }
    void TearDown() override { SetLanguage(kLcidEnglish); }

    // Runs an editing command with its sheet shown and handed to `visit`, then cancelled.
    void WithSheet(const std::function<void(TaskEditing&)>& command,
                   const std::function<void(COptionsSheet&)>& visit) {
        TaskEditing editing(*m_app, m_audio, m_dialogs, [&](COptionsSheet& sheet) {
            sheet.show();
            visit(sheet);
            sheet.reject();
            return sheet.result();
        });
        command(editing);
    }

    std::unique_ptr<CTidewellApp> m_app;
    RecordingAudio m_audio;
    ScriptedFileDialogs m_dialogs;
};

struct WindowCase {
    const char* name;
    std::function<void(const std::string& where)> visitPages;
};

TEST_F(MnemonicsTest, NoTwoControlsOfAPageShareAMnemonic) {
    const WindowCase cases[] = {
        {"wizard",
         [this](const std::string& where) {
             const size_t row = RowOf(*m_app, ScheduleType::daily);
             WithSheet([row](TaskEditing& editing) { editing.CopyTask(row); },
                       [&](COptionsSheet& sheet) {
                           for (COptionsPage* page : sheet.Pages()) {
                               ASSERT_EQ(sheet.currentPage(), page) << where;
                               ExpectUniqueOnEveryChoice(&sheet, page,
                                                         where + " " + page->objectName().toStdString());
                               sheet.next();
                           }
                       });
         }},
        {"edit sheet",
         [this](const std::string& where) {
             const size_t row = RowOf(*m_app, ScheduleType::daily);
             WithSheet([row](TaskEditing& editing) { editing.EditTask(row); },
                       [&](COptionsSheet& sheet) {
                           for (int tab = 0; tab < sheet.Tabs()->count(); ++tab) {
                               sheet.Tabs()->setCurrentIndex(tab);
                               ExpectUniqueOnEveryChoice(&sheet, sheet.Tabs()->currentWidget(),
                                                         where + " " + std::to_string(tab));
                           }
                       });
         }},
        {"options",
         [this](const std::string& where) {
             OptionsDialog dialog(*m_app);
             dialog.show();
             auto* tabs = dialog.findChild<QTabWidget*>("optionsTabs");
             for (int tab = 0; tab < tabs->count(); ++tab) {
                 tabs->setCurrentIndex(tab);
                 ExpectUniqueMnemonics(&dialog, where + " " + std::to_string(tab));
             }
         }},
    };
    for (int32_t lcid : {kLcidEnglish, kLcidSimplifiedChinese}) {
        SetLanguage(lcid);
        for (const WindowCase& window : cases) window.visitPages(std::to_string(lcid) + " " + window.name);
    }
}

}  // namespace
}  // namespace tidewell::testing
