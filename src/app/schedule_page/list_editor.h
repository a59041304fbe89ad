#pragma once

#include <string>
#include <vector>

#include "app/schedule_page/schedule_part.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QListWidget;
class QPushButton;
class QTimeEdit;

namespace tidewell {

// A schedule list with the controls of one entry beside it. Add puts the edited entry into the
// list, Modify replaces the selected entry, Remove (also the Delete key) takes it out; an entry
// the list already holds is refused with the program's message. Selecting an entry shows it
// in the controls. The list keeps the order the schedule keeps.
class CListEditor : public CSchedulePart {
    Q_OBJECT

public:
    // The buttons' work; false when the entry was refused (the refusal has been shown).
    bool AddEntry();
    bool ModifyEntry();
    void RemoveEntry();
    QListWidget* List() const { return m_list; }

protected:
    CListEditor(SheetContext& context, const QString& name, QWidget* parent);

    // Lays the list out beside the entry controls (two columns: labels and fields) and the buttons.
    void Build(QGridLayout* entryControls);
    // Refills the list and selects `select` (-1: nothing).
    void Refill(int select);

    virtual int Count() const = 0;
    virtual QString Text(int index) const = 0;
    // Why the edited entry cannot join the list without its entry `skip` (-1: none); empty when it can.
    virtual std::string Refusal(int skip) const = 0;
    // Puts the edited entry at `index` (Count(): a new one), orders the list and returns where
    // the entry settled.
    virtual int Put(int index) = 0;
    virtual void Erase(int index) = 0;
    // The entry's values into the controls.
    virtual void Show(int index) = 0;

private:
    int Selected() const;
    void Refuse(const std::string& message) const;
    void UpdateButtons();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_modify;
    QPushButton* m_remove;
};

// The times of a Daily schedule, or the date-times of a Once or Several Times schedule.
class CTimeListEditor final : public CListEditor {
    Q_OBJECT

public:
    enum class Kind { daily, once };
    CTimeListEditor(Kind kind, SheetContext& context, QWidget* parent);

    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;
    void SetEdited(const DateTime& value);

protected:
    int Count() const override { return static_cast<int>(m_entries.size()); }
    QString Text(int index) const override;
    std::string Refusal(int skip) const override;
    int Put(int index) override;
    void Erase(int index) override;
    void Show(int index) override;

private:
    DateTime Edited() const;

    const Kind m_kind;
    std::vector<DateTime> m_entries;
    QDateEdit* m_date = nullptr;
    QTimeEdit* m_time;
};

// The weekdays and times of a Weekly schedule.
class CWeeklyListEditor final : public CListEditor {
    Q_OBJECT

public:
    CWeeklyListEditor(SheetContext& context, QWidget* parent);

    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;
    void SetEdited(const WeeklyItem& item);

protected:
    int Count() const override { return static_cast<int>(m_entries.size()); }
    QString Text(int index) const override;
    std::string Refusal(int skip) const override;
    int Put(int index) override;
    void Erase(int index) override;
    void Show(int index) override;

private:
    WeeklyItem Edited() const;

    std::vector<WeeklyItem> m_entries;
    QComboBox* m_weekday;
    QTimeEdit* m_time;
};

}  // namespace tidewell
