// The pages of the task sheets: which pages each caption shows, what each page refuses, and
// the controls that follow the rules of the task's fields.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include "app/dialogs/file_dialogs.h"
#include "app/schedule_page/list_editor.h"
#include "app/schedule_page/month_list_editor.h"
#include "app/sheet_fixture.h"
#include "app/task_sheet/random_time_editor.h"
#include "app/task_sheet/sound_page.h"
#include "app/task_sheet/summary_page.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/windows/notice_text.h"
#include "runtime/task_sound.h"
#include "timing/validation.h"

namespace tidewell::testing {
namespace {

constexpr int kTaskTab = 0;
constexpr int kSoundTab = 1;
constexpr int kScheduleTab = 2;

class SheetPagesTest : public SheetFixture {
protected:
    // A task every page keeps: a new task as Add makes it, as a notice on Mondays at 09:00 with beeps.
    TaskRecord ValidTask() {
        TaskRecord task;
        ResetToDefaults(task, {m_settings, m_clock, false});
        task = AsNotice(task, "Stretch");
        task.scheduleInfo.type = ScheduleType::weekly;
        task.scheduleInfo.weekly = {{1, TimeOfDayValue(9)}};
        return task;
    }
};

struct RefusalCase {
    const char* name;
    int tab;
    std::function<void(QWidget* page)> act;
    std::function<std::string()> message;
};

TEST_F(SheetPagesTest, EachPageRefusesWhatItsRulesRefuse) {
    const RefusalCase cases[] = {
        {"blank title", kTaskTab, [](QWidget* page) { Find<QLineEdit>(page, "titleEdit")->setText("   "); },
         [] { return LoadMessage(IDS_TIDEWELL_ERROR_TASK_TITLE_CANT_BE_BLANK); }},
        {"missing program", kTaskTab,
         [](QWidget* page) {
             SelectCode(Find<QComboBox>(page, "taskTypeCombo"), static_cast<int>(TaskType::program));
             Find<QLineEdit>(page, "programPathEdit")->setText("/no/such/program");
         },
         [] { return LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID) + "\r\n\r\n\t/no/such/program"; }},
        {"notice too long", kTaskTab,
         [](QWidget* page) {
             Find<QPlainTextEdit>(page, "noticeEdit")->setPlainText(QString(kMaxNoticeTextLength + 1, 'x'));
         },
         [] { return NoticeTooLongMessage(); }},
        {"missing music file", kSoundTab,
         [](QWidget* page) {
             Find<QRadioButton>(page, "musicRadio")->setChecked(true);
             Find<QLineEdit>(page, "musicPathEdit")->setText("/no/such.wav");
         },
         [] { return LoadMessage(IDS_TIDEWELL_ERROR_MUSIC_NOT_VALID) + "\r\n\r\n\t/no/such.wav"; }},
        {"empty list", kScheduleTab,
         [](QWidget* page) {
             SelectCode(Find<QComboBox>(page, "scheduleTypeCombo"), static_cast<int>(ScheduleType::daily));
         },
         [] { return LoadMessage(IDS_TIDEWELL_ERROR_NO_DAY_SELECTED); }},
        {"ending before starting", kScheduleTab,
         [](QWidget* page) {
             Find<QCheckBox>(page, "endingTimeCheck")->setChecked(true);
             auto* start = Find<QDateTimeEdit>(page, "startingTimeEdit");
             Find<QDateTimeEdit>(page, "endingTimeEdit")->setDateTime(start->dateTime().addSecs(-1));
         },
         [] { return LoadMessage(IDS_TIDEWELL_ERROR_ENDING_TIME_EARLIER_THAN_STARTING_TIME); }},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_messageBox.Clear();
        TaskRecord task = ValidTask();
        const TaskRecord before = task;
        COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
        COptionsPage* page = sheet.Pages()[static_cast<size_t>(c.tab)];
        page->LoadFromTask();
        EXPECT_TRUE(page->Apply()) << "the task as it came is kept";
        c.act(page);
        EXPECT_FALSE(page->Apply());
        EXPECT_EQ(Messages().back(), c.message());
        EXPECT_EQ(m_messageBox.LastCall().caption, LoadMessage(IDS_KLN_ERROR));
        EXPECT_EQ(task.title, before.title) << "a refused page writes nothing";
        EXPECT_EQ(task.scheduleInfo.type, before.scheduleInfo.type);
    }
}

TEST_F(SheetPagesTest, TheWizardAndTheTabsStayOnAPageThatRefuses) {
    TaskRecord task = ValidTask();
    COptionsSheet wizard(IDS_TIDEWELL_OPTIONS_TITLE_ADD_TASK, task, m_context);
    wizard.show();
    wizard.next();
    Find<QLineEdit>(&wizard, "titleEdit")->clear();
    const int taskPage = wizard.currentId();
    wizard.next();
    EXPECT_EQ(wizard.currentId(), taskPage);

    TaskRecord edited = ValidTask();
    COptionsSheet tabs(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, edited, m_context);
    tabs.show();
    Find<QLineEdit>(&tabs, "titleEdit")->clear();
    tabs.Tabs()->setCurrentIndex(kScheduleTab);
    EXPECT_EQ(tabs.Tabs()->currentIndex(), kTaskTab);
    EXPECT_FALSE(tabs.ApplyAll()) << "OK is refused too";
    Find<QLineEdit>(&tabs, "titleEdit")->setText("Back again");
    tabs.Tabs()->setCurrentIndex(kScheduleTab);
    EXPECT_EQ(tabs.Tabs()->currentIndex(), kScheduleTab);
    EXPECT_EQ(edited.title, "Back again");
}

TEST_F(SheetPagesTest, ListEditorsRefuseATimeTheyHoldAndAnEntryWithoutMonths) {
    TaskRecord task = ValidTask();
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
    sheet.Pages()[kScheduleTab]->LoadFromTask();
    const std::string exists = LoadMessage(IDS_TIDEWELL_ERROR_TIME_EXISTS_CHOOSE_ANOTHER);

    auto* weekly = Find<CWeeklyListEditor>(&sheet, "weeklyEditor");
    weekly->SetEdited({1, TimeOfDayValue(9)});
    EXPECT_FALSE(weekly->AddEntry());
    EXPECT_EQ(Messages().back(), exists);
    weekly->SetEdited({1, TimeOfDayValue(8)});
    EXPECT_TRUE(weekly->AddEntry());
    EXPECT_EQ(weekly->List()->currentItem()->text(), "Monday 08:00:00") << "the list keeps its order";
    weekly->SetEdited({1, TimeOfDayValue(9)});
    EXPECT_FALSE(weekly->ModifyEntry()) << "Monday 08:00 cannot become the other entry";

    auto* daily = Find<CTimeListEditor>(&sheet, "dailyEditor");
    daily->SetEdited(TimeOfDayValue(7, 30));
    EXPECT_TRUE(daily->AddEntry());
    EXPECT_FALSE(daily->AddEntry());
    auto* once = Find<CTimeListEditor>(&sheet, "onceEditor");
    once->SetEdited(DateTime::FromParts(2027, 1, 2, 7, 30, 0));
    EXPECT_TRUE(once->AddEntry());
    once->SetEdited(DateTime::FromParts(2027, 1, 3, 7, 30, 0));
    EXPECT_TRUE(once->AddEntry()) << "the same time on another day is new";

    auto* monthly = Find<CMonthListEditor>(&sheet, "monthlyEditor");
    MonthlyItem none;
    none.everyMonth = false;
    monthly->SetEdited(none);
    EXPECT_FALSE(monthly->AddEntry());
    EXPECT_EQ(Messages().back(), LoadMessage(IDS_TIDEWELL_ERROR_NO_DAY_SELECTED));
    monthly->MonthPicker()->item(3)->setCheckState(Qt::Checked);  // March
    EXPECT_TRUE(monthly->AddEntry());
    EXPECT_FALSE(monthly->AddEntry());
    EXPECT_EQ(Messages().back(), exists);

    SelectCode(Find<QComboBox>(&sheet, "scheduleTypeCombo"), static_cast<int>(ScheduleType::monthly));
    ASSERT_TRUE(sheet.Pages()[kScheduleTab]->Apply());
    ASSERT_EQ(task.scheduleInfo.monthly.size(), 1u);
    EXPECT_FALSE(task.scheduleInfo.monthly[0].everyMonth);
    EXPECT_TRUE(task.scheduleInfo.monthly[0].months[2]);
    EXPECT_EQ(task.scheduleInfo.daily.size(), task.scheduleInfo.dailyRepeats.size());
}

// Mouse only: a click on an entry lets Modify and Remove work on it, in every list editor, and
// after Remove the controls show the entry now selected.
TEST_F(SheetPagesTest, AClickedEntryCanBeModifiedAndRemovedWithTheMouse) {
    const std::pair<ScheduleType, const char*> editors[] = {{ScheduleType::daily, "daily"},
                                                            {ScheduleType::weekly, "weekly"},
                                                            {ScheduleType::monthly, "monthly"},
                                                            {ScheduleType::yearly, "yearly"},
                                                            {ScheduleType::once, "once"}};
    TaskRecord task = ValidTask();
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
    sheet.show();
    sheet.Tabs()->setCurrentIndex(kScheduleTab);
    for (const auto& [type, name] : editors) {
        SCOPED_TRACE(name);
        auto Named = [&](const char* part) { return std::string(name) + part; };
        SelectCode(Find<QComboBox>(&sheet, "scheduleTypeCombo"), static_cast<int>(type));
        auto* time = Find<QTimeEdit>(&sheet, Named("Time").c_str());
        auto* list = Find<QListWidget>(&sheet, Named("List").c_str());
        auto* add = Find<QPushButton>(&sheet, Named("AddButton").c_str());
        auto* modify = Find<QPushButton>(&sheet, Named("ModifyButton").c_str());
        auto* remove = Find<QPushButton>(&sheet, Named("RemoveButton").c_str());
        ASSERT_TRUE(list->isVisible());
        const int before = list->count();
        for (const QTime& at : {QTime(6, 15), QTime(22, 45)}) {
            time->setTime(at);
            QTest::mouseClick(add, Qt::LeftButton);
        }
        ASSERT_EQ(list->count(), before + 2);
        const QList<QListWidgetItem*> early = list->findItems("06:15", Qt::MatchContains);
        ASSERT_EQ(early.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(early[0]).center());
        EXPECT_EQ(list->currentItem(), early[0]);
        EXPECT_TRUE(modify->isEnabled());
        EXPECT_TRUE(remove->isEnabled());
        EXPECT_EQ(time->time(), QTime(6, 15));
        time->setTime(QTime(6, 20));
        QTest::mouseClick(modify, Qt::LeftButton);
        const QList<QListWidgetItem*> modified = list->findItems("06:20", Qt::MatchContains);
        ASSERT_EQ(modified.size(), 1) << "the clicked entry was changed";
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(modified[0]).center());
        QTest::mouseClick(remove, Qt::LeftButton);
        ASSERT_EQ(list->count(), before + 1);
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_TRUE(list->currentItem()->text().contains(time->time().toString("HH:mm:ss")))
            << "the controls show the entry left selected, not the removed one";
    }
}

// A whole value typed in one go lands where it was typed; a value no calendar has is refused
// where it can be seen, and the field keeps what it held.
TEST_F(SheetPagesTest, DateAndTimeFieldsTakeAWholeTypedValueOrRefuseIt) {
    const struct {
        ScheduleType type;
        const char* field;
        const char* typed;
        const char* shown;    // nullptr: refused, the value stays
        const char* refused;  // what the refusal quotes
    } cases[] = {
        {ScheduleType::daily, "startingTimeEdit", "2027-02-03 15:00:00", "2027-02-03 15:00:00", ""},
        {ScheduleType::daily, "startingTimeEdit", "20270203150000", "2027-02-03 15:00:00", ""},
        {ScheduleType::daily, "startingTimeEdit", "2027-2-3 5:6:7", "2027-02-03 05:06:07", ""},
        {ScheduleType::daily, "startingTimeEdit", "2027-02-30 15:00:00", nullptr, "2027-02-30"},
        {ScheduleType::daily, "startingTimeEdit", "20270229", nullptr, "20270229"},
        {ScheduleType::once, "onceDate", "2028-02-29", "2028-02-29", ""},
        {ScheduleType::once, "onceDate", "2027-13-01", nullptr, "2027-13"},
        {ScheduleType::daily, "dailyTime", "7:30:00", "07:30:00", ""},
        {ScheduleType::daily, "dailyTime", "24:00:00", nullptr, "24"},
        {ScheduleType::daily, "dailyTime", "12:30:000", nullptr, "12:30:000"},
    };
    TaskRecord task = ValidTask();
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    sheet.Tabs()->setCurrentIndex(kScheduleTab);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SelectCode(Find<QComboBox>(&sheet, "scheduleTypeCombo"), static_cast<int>(c.type));
        auto* field = Find<QDateTimeEdit>(&sheet, c.field);
        const QString before = field->text();
        field->setFocus(Qt::TabFocusReason);
        // As a keyboard sends them: a separator comes after a press of its Shift key.
        for (const QChar typed : QString::fromUtf8(c.typed)) {
            if (!typed.isDigit()) QTest::keyPress(field, Qt::Key_Shift);
            QTest::keyClicks(field, QString(typed));
            if (!typed.isDigit()) QTest::keyRelease(field, Qt::Key_Shift);
        }
        if (c.shown != nullptr) {
            EXPECT_EQ(field->text(), QString::fromUtf8(c.shown));
            EXPECT_FALSE(QToolTip::isVisible()) << ToStdString(QToolTip::text());
        } else {
            EXPECT_EQ(field->text(), before) << "nothing of a refused value is kept";
            EXPECT_EQ(QToolTip::text(),
                      MessageText(IDS_TIDEWELL_FIELD_NO_SUCH_DATE_TIME, c.refused, ToStdString(before)));
        }
        QToolTip::hideText();
        Find<QComboBox>(&sheet, "scheduleTypeCombo")->setFocus();
    }
}

TEST_F(SheetPagesTest, ACountDownCountsItsNewLengthFromNow) {
    TaskRecord task = ValidTask();
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
    COptionsPage* page = sheet.Pages()[kScheduleTab];
    page->LoadFromTask();
    SelectCode(Find<QComboBox>(page, "scheduleTypeCombo"), static_cast<int>(ScheduleType::countDown));
    Find<QCheckBox>(page, "countDownShowDays")->setChecked(true);
    Find<QSpinBox>(page, "countDownDays")->setValue(2);
    Find<QTimeEdit>(page, "countDownTime")->setTime(QTime(1, 30, 0));
    ASSERT_TRUE(page->Apply());
    EXPECT_EQ(task.scheduleInfo.startingTime, m_clock.Now() + TimeSpan::FromSeconds(2 * 86400 + 5400));

    m_clock.Advance(60);
    page->LoadFromTask();
    ASSERT_TRUE(page->Apply());
    EXPECT_EQ(task.scheduleInfo.startingTime, m_clock.Now() + TimeSpan::FromSeconds(2 * 86400 + 5400 - 60))
        << "an unchanged length keeps counting";
}

TEST_F(SheetPagesTest, RandomPageShowsTheFinalTimeOrWhyThereIsNone) {
    TaskRecord task = ValidTask();  // Mondays 09:00; the clock stands on Monday 7 December 2026 at noon
    task.randomizationInfo.enable = true;
    task.randomizationInfo.rpTotalSeconds = 1800;
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, task, m_context);
    COptionsPage* page = sheet.Pages()[3];
    page->LoadFromTask();
    auto* final = Find<QLineEdit>(page, "randomFinalTime");
    EXPECT_EQ(final->text(), "2026-12-14 09:00:01") << "the fixed draw is one second after the next run";
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<CRandomTimeEditor*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        editor->SetOffset(600);
        EXPECT_EQ(Find<QLineEdit>(editor, "randomActualTime")->text(), "2026-12-14 09:10:00");
        editor->accept();
    });
    Find<QPushButton>(page, "randomEditFinalButton")->click();
    EXPECT_EQ(final->text(), "2026-12-14 09:10:00") << "a time moved inside the period is kept";
    ASSERT_TRUE(page->Apply());
    EXPECT_EQ(task.randomizationInfo.finalTime, DateTime::FromParts(2026, 12, 14, 9, 10, 0));
    Find<QRadioButton>(page, "decideWhenDueRadio")->setChecked(true);
    EXPECT_EQ(final->text(), MessageText(IDS_TIDEWELL_RANDOMPAGE_FINAL_TIME_STATUS));
    ASSERT_TRUE(page->Apply());
    EXPECT_EQ(task.randomizationInfo.decidedTime, 1);

    task.enabled = false;
    page->LoadFromTask();
    EXPECT_EQ(Find<QLabel>(page, "randomInfo")->text(), MessageText(IDS_TIDEWELL_RANDOMPAGE_INFO_EXPIRED));
    EXPECT_FALSE(Find<QCheckBox>(page, "randomEnableCheck")->isEnabled());
}

// The wizard draws the final random time once: the randomization page, the summary and the
// task keep the one the user saw.
TEST_F(SheetPagesTest, TheRandomPageTheSummaryAndTheTaskKeepOneFinalTime) {
    SteppingRandom stepping;
    SheetContext context{m_settings, m_messageBox, m_clock, stepping, m_dialogs,
                         m_player,   {},           {},      false,    false};
    TaskRecord task = ValidTask();
    task.randomizationInfo.enable = true;
    task.randomizationInfo.rpTotalSeconds = 1800;
    task.randomizationInfo.decidedTime = 0;
    COptionsSheet sheet(IDS_TIDEWELL_OPTIONS_TITLE_ADD_TASK, task, context);
    sheet.show();
    while (sheet.currentPage()->objectName() != "randomPage") {
        const int id = sheet.currentId();
        sheet.next();
        ASSERT_NE(sheet.currentId(), id) << "refused";
    }
    const QString shown = Find<QLineEdit>(sheet.currentPage(), "randomFinalTime")->text();
    sheet.next();
    sheet.next();
    auto* summary = qobject_cast<CSummaryPage*>(sheet.currentPage());
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->SummaryText().contains("Final running time: " + shown))
        << summary->SummaryText().toStdString();
    EXPECT_EQ(ToQString(task.randomizationInfo.finalTime.Format(kStorageFormat)), shown);
}

TEST_F(SheetPagesTest, TrySoundAsksWhileMutedAndSoundsPastMute) {
    ASSERT_TRUE(m_settings.WriteSettingInt(app_keys::kSoundSection, app_keys::kMute, 1));
    SoundNoticePlayer muted(m_audio, m_tray, m_settings);
    SheetContext mutedContext{m_settings, m_messageBox, m_clock, m_random, m_dialogs,
                              muted,      {},           {},      false,    false};
    TaskRecord task = ValidTask();
    CSoundPage page(task, mutedContext);
    page.LoadFromTask();

    m_messageBox.AnswerNext(IDNO, true);
    page.TrySound();
    EXPECT_FALSE(page.Trying());
    EXPECT_TRUE(m_messageBox.LastCall().hasCheckBox);
    EXPECT_EQ(m_messageBox.LastCall().text,
              LoadMessage(IDS_MESSAGE_PROMPT_TRY_MUSIC_WHEN_MUTE, LoadMessage(IDS_KLN_TIDEWELL)));

    m_messageBox.AnswerNext(IDYES, false);  // and not again
    page.TrySound();
    EXPECT_TRUE(page.Trying());
    EXPECT_TRUE(muted.Beeping()) << "a try sounds past mute";
    EXPECT_EQ(m_settings.ReadSettingInt(kMutePromptSection, kPromptAtTryValueName, 1), 0);
    const size_t asked = m_messageBox.CallCount();
    page.TrySound();
    EXPECT_EQ(m_messageBox.CallCount(), asked) << "the question is not asked again";
    page.StopTry();
    EXPECT_FALSE(muted.Beeping());
}

}  // namespace
}  // namespace tidewell::testing
