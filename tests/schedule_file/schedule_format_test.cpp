#include <gtest/gtest.h>

#include <random>

#include "crypto/macro_password_codec.h"
#include "crypto/outer_scramble.h"
#include "schedule_file/schedule_lists.h"
#include "files/temporary_file.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

std::vector<std::string> Texts(const std::vector<DateTime>& times, const char* format) {
    std::vector<std::string> texts;
    for (const DateTime& time : times) texts.push_back(time.Format(format));
    return texts;
}

TEST(ScheduleLists, DailyAndOncePiecesAreReadByPosition) {
    struct Case {
        const char* stored;
        std::vector<std::string> daily;
    };
    const Case cases[] = {
        {"08:00:00\r\n20:00:00", {"08:00:00", "20:00:00"}},
        {"08:00:00\n  20:00:00", {"08:00:00", "20:00:00"}},
        {"08:00:0020:00:00", {"08:00:00", "20:00:00"}},
        {"25:00:00\r\n20:00:00", {"20:00:00"}},
        {"8:00:00\r\n20:00:00", {"20:00:00"}},  // the first piece, "8:00:00\r", does not format back
        {"08:00:00\r\n20:00", {"08:00:00"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(ReadDailyList(c.stored), kTimeOfDayFormat), c.daily) << c.stored;

    EXPECT_EQ(Texts(ReadOnceList("2024-03-05 07:30:00\r\n2024-02-30 12:00:00\r\n2024-02-29 12:00:00"),
                    kStorageFormat),
              (std::vector<std::string>{"2024-03-05 07:30:00", "2024-02-29 12:00:00"}));
}

TEST(ScheduleLists, WeeklyPieces) {
    std::vector<WeeklyItem> items = ReadWeeklyList("1 09:00:00\r\n7 23:59:59\r\n8 10:00:00\r\n3x10:00:00");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].weekday, 7);
    EXPECT_EQ(items[1].time.Format(kTimeOfDayFormat), "23:59:59");
}

TEST(ScheduleLists, MonthLines) {
    struct Case {
        const char* line;
        bool parsed;
        bool everyMonth;
        std::string stored;  // written back
    };
    const Case cases[] = {
        {"0m;1 05 08:00:00", true, true, "0m;1 05 08:00:00"},
        {"1 21 08:00:00", true, true, "0m;1 21 08:00:00"},
        {"1,6,12m;1 21 08:00:00", true, false, "1,6,12m;1 21 08:00:00"},
        {"13,0,6m;0 13 09:30:00", true, false, "6m;0 13 09:30:00"},
        {"1,2,3,4,5,6,7,8,9,10,11,12m;0 56 09:30:00", true, true, "0m;0 56 09:30:00"},
        {"13m;0 13 09:30:00", true, true, "0m;0 13 09:30:00"},
        {"0m;1 05 08:00", false, false, ""},
        {"0m;2 05 08:00:00", false, false, ""},
        {"0m;1 32 08:00:00", false, false, ""},
        {"0m;0 63 08:00:00", false, false, ""},
        {"0m;1 05 24:00:00", false, false, ""},
    };
    for (const Case& c : cases) {
        std::vector<MonthlyItem> items = ReadMonthList(c.line);
        ASSERT_EQ(items.size(), c.parsed ? 1u : 0u) << c.line;
        if (!c.parsed) continue;
        EXPECT_EQ(items[0].everyMonth, c.everyMonth) << c.line;
        EXPECT_EQ(MonthListText(items), c.stored) << c.line;
    }
    EXPECT_EQ(ReadMonthList("0m;1 05 08:00:00\r\n\r\n0m;0 11 10:00:00\n").size(), 2u);
}

TEST(ScheduleLists, WrittenFormsReadBack) {
    std::mt19937 random(5);
    const DateTime around = At(2006, 3, 13);
    for (ScheduleType type :
         {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly, ScheduleType::once}) {
        for (int i = 0; i < 50; ++i) {
            TaskRecord task = GenerateTask(random, type, around);
            const ScheduleInfo& s = task.scheduleInfo;
            switch (type) {
                case ScheduleType::daily:
                    EXPECT_EQ(DailyListText(ReadDailyList(DailyListText(s.daily))), DailyListText(s.daily));
                    break;
                case ScheduleType::weekly:
                    EXPECT_EQ(WeeklyListText(ReadWeeklyList(WeeklyListText(s.weekly))),
                              WeeklyListText(s.weekly));
                    break;
                case ScheduleType::monthly:
                    EXPECT_EQ(MonthListText(ReadMonthList(MonthListText(s.monthly))),
                              MonthListText(s.monthly));
                    break;
                default:
                    EXPECT_EQ(OnceListText(ReadOnceList(OnceListText(s.once))), OnceListText(s.once));
                    break;
            }
        }
    }
}

TEST(MacroPassword, RoundTripsEveryPrintableCharacter) {
    std::string printable;
    for (char c = 32; c < 127; ++c) printable += c;
    for (size_t length : {size_t{0}, size_t{1}, size_t{15}, size_t{16}, printable.size()}) {
        std::string password = printable.substr(0, length);
        std::string stored = EncodeMacroPassword(password);
        EXPECT_EQ(DecodeMacroPassword(stored), password);
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    }
    EXPECT_EQ(EncodeMacroPassword(""), "");
    EXPECT_NE(EncodeMacroPassword("secret"), "secret");
    EXPECT_EQ(DecodeMacroPassword(EncodeMacroPassword("密码 with UTF-8")), "密码 with UTF-8");
    EXPECT_EQ(DecodeMacroPassword("ABC"), "");
    EXPECT_EQ(DecodeMacroPassword("ZZ"), "");
}

TEST(OuterScramble, WrapsAndRefuses) {
    std::mt19937 random(9);
    for (size_t size : {size_t{41}, size_t{344}, size_t{345}, size_t{4096 + 344 + 3}}) {
        std::string container(size, '\0');
        for (char& c : container) c = static_cast<char>(random());
        std::string file = WrapOuterScramble(container);
        EXPECT_EQ(file.size() % 8, 0u);
        EXPECT_GE(file.size(), size + 9);
        EXPECT_LT(file.size(), size + 17);
        EXPECT_EQ(file.find(std::string_view("TdwScrm8")), std::string::npos);  // the marker is encrypted too
        std::optional<std::string> back = UnwrapOuterScramble(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->substr(0, size), container);
        EXPECT_EQ(back->substr(size).find_first_not_of('\0'), std::string::npos);
    }
    std::string file = WrapOuterScramble(std::string(100, 'x'));
    EXPECT_FALSE(UnwrapOuterScramble(file.substr(0, 48)));               // shorter than 50 bytes
    EXPECT_FALSE(UnwrapOuterScramble(file.substr(0, file.size() - 1)));  // not whole blocks
    std::string tampered = file;
    tampered[20] ^= 1;
    EXPECT_FALSE(UnwrapOuterScramble(tampered));
    EXPECT_FALSE(UnwrapOuterScramble(std::string(64, 'p')));
}

TEST(TemporaryFile, CreatedExclusivelyAndRemoved) {
    TempDir temp;
    {
        std::optional<TemporaryFile> a = TemporaryFile::Create(temp.Path(), 1);
        std::optional<TemporaryFile> b = TemporaryFile::Create(temp.Path(), 1);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Path(), temp.File("temp1.tps"));
        EXPECT_EQ(b->Path(), temp.File("temp2.tps"));
        EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"temp1.tps", "temp2.tps"}));
    }
    EXPECT_TRUE(FolderEntries(temp.Path()).empty());
    EXPECT_FALSE(TemporaryFile::Create("", 0));
    EXPECT_FALSE(TemporaryFile::Create(temp.File("missing-folder"), 0));
}

}  // namespace
}  // namespace tidewell
