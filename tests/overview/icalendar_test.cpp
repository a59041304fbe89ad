#include "overview/icalendar.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// Every piece of a folded line, without its CR LF; checks the line ends on the way.
std::vector<std::string> Pieces(const std::string& folded) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < folded.size()) {
        std::size_t end = folded.find("\r\n", start);
        EXPECT_NE(end, std::string::npos);
        if (end == std::string::npos) break;
        pieces.push_back(folded.substr(start, end - start));
        start = end + 2;
    }
    return pieces;
}

TEST(ICalendar, FoldsAt75OctetsWithoutSplittingCharacters) {
    const std::string chinese =
        "SUMMARY:" + std::string(41, 'x') + std::string("喝水休息一下喝水休息一下喝水休息");
    const std::string cases[] = {
        "",
        std::string(75, 'a'),
        std::string(76, 'a'),
        std::string(300, 'b'),
        chinese,
        "DESCRIPTION:" + std::string(62, 'c') + "é" + std::string(80, 'd'),
    };
    for (const std::string& line : cases) {
        const std::string folded = FoldICalendarLine(line);
        std::vector<std::string> pieces = Pieces(folded);
        ASSERT_FALSE(pieces.empty());
        std::string unfolded = pieces[0];
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_LE(pieces[i].size(), 75u) << line;
            if (i > 0) {
                ASSERT_EQ(pieces[i][0], ' ') << line;
                unfolded += pieces[i].substr(1);
            }
            // No piece starts inside a multi-byte character.
            const std::size_t first = i > 0 ? 1 : 0;
            if (pieces[i].size() > first) {
                EXPECT_NE(static_cast<unsigned char>(pieces[i][first]) & 0xC0, 0x80) << line;
            }
        }
        EXPECT_EQ(unfolded, line);
        EXPECT_EQ(pieces.size() == 1, line.size() <= 75) << line;
    }
    EXPECT_EQ(Pieces(FoldICalendarLine(std::string(76, 'a'))).size(), 2u);
}

TEST(ICalendar, WritesOneEventPerRunInUtc) {
    TaskList tasks;
    const TaskRecord first = Titled(OnceTask({At(2026, 12, 7, 9)}), "Tea; milk, sugar");
    tasks.Add(first);
    tasks.Add(first);  // the same title at the same instant still gets a UID of its own
    Agenda agenda{{{At(2026, 12, 7, 9), 0}, {At(2026, 12, 7, 9), 1}, {At(2026, 12, 8, 9), 0}}, {}};
    ICalendarExport context;
    context.stampUtc = 0;
    // A zone one hour ahead of UTC, which cannot place the 8th.
    context.toUtc = [](const DateTime& local) -> std::optional<int64_t> {
        if (local.GetDay() == 8) return std::nullopt;
        return (local.Seconds() - DateTime::FromParts(1970, 1, 1).Seconds()) - 3600;
    };
    context.descriptions = {"Runs\r\nonce", ""};
    std::ostringstream out;
    WriteICalendar(agenda, tasks, context, out);
    const std::string text = out.str();
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:", 0), 0u);
    EXPECT_TRUE(text.ends_with("END:VEVENT\r\nEND:VCALENDAR\r\n"));
    std::size_t events = 0;
    for (std::size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos;
         at = text.find("BEGIN:VEVENT", at + 1))
        ++events;
    EXPECT_EQ(events, 2u);
    EXPECT_NE(text.find("DTSTART:20261207T080000Z\r\n"), std::string::npos);
    EXPECT_NE(text.find("DTSTAMP:19700101T000000Z\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Tea\\; milk\\, sugar\r\n"), std::string::npos);
    EXPECT_NE(text.find("DESCRIPTION:Runs\\nonce\r\n"), std::string::npos);
    const std::string uid = RunUid(first, At(2026, 12, 7, 9));
    EXPECT_NE(text.find("UID:" + uid + "\r\n"), std::string::npos);
    std::string second = uid;
    second.insert(second.find('@'), "-2");
    EXPECT_NE(text.find("UID:" + second + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tidewell
