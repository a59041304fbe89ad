#pragma once

#include <initializer_list>
#include <random>

#include "model/task_list.h"
#include "model/task_record.h"
#include "timing/random_source.h"

namespace tidewell::testing {

inline DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateTime::FromParts(y, mo, d, h, mi, s);
}
// A time of day as the lists hold it (on day 0).
inline DateTime TimeOfDayValue(int h, int mi = 0, int s = 0) {
    return DateTime::FromParts(1899, 12, 30, h, mi, s);
}

// A task of the given schedule type starting long ago, no ending time.
TaskRecord ScheduledTask(ScheduleType type);
TaskRecord Titled(TaskRecord task, std::string title);
// The task as a silent notice with a text: one the loader keeps without a word.
TaskRecord AsNotice(TaskRecord task, std::string title);
TaskRecord DailyTask(std::initializer_list<DateTime> times);
TaskRecord WeeklyTask(std::initializer_list<WeeklyItem> items);
TaskRecord OnceTask(std::initializer_list<DateTime> times);
TaskRecord RepeatingTask(DateTime start, int quantity, TimeUnit unit);
TaskRecord MonthlyTask(std::initializer_list<MonthlyItem> items);
TaskRecord YearlyTask(std::initializer_list<MonthlyItem> items);

MonthlyItem DayOfMonth(int day, DateTime time);
MonthlyItem WeekdayOfMonth(int ordinal, int weekday, DateTime time);
// The same entries restricted to the given months (1 = January).
MonthlyItem InMonths(MonthlyItem item, std::initializer_list<int> months);

// Random tasks of every schedule type around an instant, for invariants and benchmarks.
TaskRecord GenerateTask(std::mt19937& random, ScheduleType type, const DateTime& around, int maxEntries = 10);
// `count` generated tasks cycling through the schedule types, from a fixed seed.
TaskList GenerateMixedTasks(int count, const DateTime& around);

// A random source that always draws the same offset (clamped to 1..n) and counts its draws.
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(int64_t value = 1) : m_value(value) {}
    int64_t DrawOneTo(int64_t n) override {
        ++draws;
        return m_value < 1 ? 1 : (m_value > n ? n : m_value);
    }
    int draws = 0;

private:
    int64_t m_value;
};

// A random source whose every draw differs from the one before: 1, 2, 3, ... (wrapping within
// 1..n), so that a time drawn twice shows.
class SteppingRandom final : public RandomSource {
public:
    int64_t DrawOneTo(int64_t n) override { return ++draws % n + 1; }
    int64_t draws = 0;
};

}  // namespace tidewell::testing
