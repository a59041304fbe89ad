#include "support/task_builder.h"

namespace tidewell::testing {

TaskRecord ScheduledTask(ScheduleType type) {
    TaskRecord task;
    task.title = "task";
    task.scheduleInfo.type = type;
    task.scheduleInfo.startingTime = At(2000, 1, 1);
    task.scheduleInfo.endingTime = At(2100, 1, 1);
    // A count-down without a length never falls due.
    if (type == ScheduleType::countDown) task.scheduleInfo.countDownSeconds = 600;
    return task;
}

TaskRecord Titled(TaskRecord task, std::string title) {
    task.title = std::move(title);
    return task;
}

TaskRecord AsNotice(TaskRecord task, std::string title) {
    task = Titled(std::move(task), std::move(title));
    task.taskInfo.taskType = TaskType::notice;
    task.taskInfo.noticeMsg = "Time to go";
    task.soundInfo.type = 0;
    return task;
}

TaskRecord DailyTask(std::initializer_list<DateTime> times) {
    TaskRecord task = ScheduledTask(ScheduleType::daily);
    task.scheduleInfo.daily = times;
    return task;
}

TaskRecord WeeklyTask(std::initializer_list<WeeklyItem> items) {
    TaskRecord task = ScheduledTask(ScheduleType::weekly);
    task.scheduleInfo.weekly = items;
    return task;
}

TaskRecord OnceTask(std::initializer_list<DateTime> times) {
    TaskRecord task = ScheduledTask(ScheduleType::once);
    task.scheduleInfo.once = times;
    return task;
}

TaskRecord RepeatingTask(DateTime start, int quantity, TimeUnit unit) {
    TaskRecord task = ScheduledTask(ScheduleType::repeating);
    task.scheduleInfo.startingTime = start;
    task.scheduleInfo.repeatQuantity = quantity;
    task.scheduleInfo.repeatUnit = unit;
    return task;
}

TaskRecord MonthlyTask(std::initializer_list<MonthlyItem> items) {
    TaskRecord task = ScheduledTask(ScheduleType::monthly);
    task.scheduleInfo.monthly = items;
    return task;
}

TaskRecord YearlyTask(std::initializer_list<MonthlyItem> items) {
    TaskRecord task = ScheduledTask(ScheduleType::yearly);
    task.scheduleInfo.yearly = items;
    return task;
}

MonthlyItem DayOfMonth(int day, DateTime time) {
    return {.byDayNumber = true, .day = day, .time = time};
}

MonthlyItem WeekdayOfMonth(int ordinal, int weekday, DateTime time) {
    return {.byDayNumber = false, .weekOrdinal = ordinal, .weekday = weekday, .time = time};
}

MonthlyItem InMonths(MonthlyItem item, std::initializer_list<int> months) {
    item.everyMonth = false;
    item.months.fill(false);
    for (int month : months) item.months[static_cast<size_t>(month - 1)] = true;
    return item;
}

namespace {

int Uniform(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

DateTime RandomTimeOfDay(std::mt19937& random) {
    // Mostly whole minutes, as people enter them, sometimes any second.
    int second = Uniform(random, 0, 3) == 0 ? Uniform(random, 0, 86399) : Uniform(random, 0, 1439) * 60;
    return DateTime::FromSeconds(second);
}

MonthlyItem RandomMonthItem(std::mt19937& random) {
    MonthlyItem item = Uniform(random, 0, 1) ? DayOfMonth(Uniform(random, 1, 31), RandomTimeOfDay(random))
                                             : WeekdayOfMonth(Uniform(random, 1, 5), Uniform(random, 0, 6),
                                                              RandomTimeOfDay(random));
    if (Uniform(random, 0, 2) == 0) return item;
    item.everyMonth = false;
    item.months.fill(false);
    item.months[static_cast<size_t>(Uniform(random, 0, 11))] = true;
    for (bool& flag : item.months) flag = flag || Uniform(random, 0, 5) == 0;
    return item;
}

}  // namespace

TaskRecord GenerateTask(std::mt19937& random, ScheduleType type, const DateTime& around, int maxEntries) {
    TaskRecord task = ScheduledTask(type);
    ScheduleInfo& schedule = task.scheduleInfo;
    auto offset = [&](int days) {
        return TimeSpan::FromSeconds(int64_t{Uniform(random, -days * 86400, days * 86400)});
    };
    schedule.startingTime = around + offset(400);
    schedule.haveEndingTime = Uniform(random, 0, 2) == 0;
    schedule.endingTime = schedule.startingTime + TimeSpan::FromSeconds(Uniform(random, 0, 800 * 86400));
    int entries = Uniform(random, 1, maxEntries);
    for (int i = 0; i < entries; ++i) {
        switch (type) {
            case ScheduleType::daily: schedule.daily.push_back(RandomTimeOfDay(random)); break;
            case ScheduleType::weekly:
                schedule.weekly.push_back({Uniform(random, 1, 7), RandomTimeOfDay(random)});
                break;
            case ScheduleType::monthly: schedule.monthly.push_back(RandomMonthItem(random)); break;
            case ScheduleType::yearly: schedule.yearly.push_back(RandomMonthItem(random)); break;
            case ScheduleType::once: schedule.once.push_back(around + offset(30)); break;
            default: break;
        }
    }
    schedule.repeatQuantity = Uniform(random, 1, 300);
    schedule.repeatUnit = static_cast<TimeUnit>(Uniform(random, 0, 2));
    schedule.countDownRunning = Uniform(random, 0, 3) != 0;
    return task;
}

TaskList GenerateMixedTasks(int count, const DateTime& around) {
    const ScheduleType types[] = {ScheduleType::daily,     ScheduleType::weekly, ScheduleType::monthly,
                                  ScheduleType::yearly,    ScheduleType::once,   ScheduleType::repeating,
                                  ScheduleType::countDown, ScheduleType::atLogon};
    std::mt19937 random(42);
    TaskList tasks;
    for (int i = 0; i < count; ++i) tasks.Add(GenerateTask(random, types[i % 8], around));
    return tasks;
}

}  // namespace tidewell::testing
