#include "config/quick_view_store.h"

#include <gtest/gtest.h>

#include "overview/quick_view.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

const DateTime kToday = At(2006, 3, 15);

bool Readable(std::string_view line) {
    return ParseQuickViewLine(line, kToday).has_value();
}

const std::string kWeek = "[Title]Week[Type]1[P1]1[P2]1[P3]7[P4]";
const std::string kMarch = "[Title]March[Type]4[P1]March 01, 2006[P2]March 31, 2006[P3][P4]";

TEST(QuickViewStore, DamagedLineIsRejectedAndTheOthersKept) {
    TempDir dir;
    std::string path = QuickViewFilePath(dir.Path());
    const std::string text = "[Quick View]\r\nQV1 = " + kWeek +
                             "\r\nQV2 = [Title]broken[P1]1[P2]1[P3]7[P4]\r\nQV3 = " + kMarch +
                             "\r\nQV5 = " + kWeek + "\r\n";
    WriteFileText(path, text);
    std::vector<std::string> lines;
    ASSERT_TRUE(LoadQuickViewLines(path, lines));
    EXPECT_EQ(lines.size(), 3u);  // reading stops at the missing QV4
    const std::vector<QuickViewRecord> records = ParseQuickViewLines(lines, kToday);

    // Saving what was kept does not lose the damaged line: the old file is kept aside first.
    std::string keptAside;
    ASSERT_TRUE(SaveQuickViewLines(path, QuickViewLines(records), Readable, &keptAside));
    EXPECT_EQ(keptAside, path + ".damaged");
    EXPECT_EQ(ReadFileText(keptAside), text);
    ASSERT_TRUE(LoadQuickViewLines(path, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{kWeek, kMarch}));

    WriteFileText(path, ";a comment\r\n" + QuickViewFileText({kWeek}));
    ASSERT_TRUE(SaveQuickViewLines(path, {kWeek}, Readable, &keptAside));
    EXPECT_EQ(keptAside, path + ".damaged-2");
}

TEST(QuickViewStore, FailuresChangeNothing) {
    TempDir dir;
    std::string path = QuickViewFilePath(dir.Path());
    std::vector<std::string> lines{"left alone"};
    WriteFileText(path, std::string(kQuickViewFileLimit + 1, 'x'));
    Result tooLarge = LoadQuickViewLines(path, lines);
    EXPECT_EQ(tooLarge.kind(), ErrorKind::damaged);
    EXPECT_TRUE(lines.empty());

    Result missingFolder = SaveQuickViewLines(dir.File("none/qv.ini"), {kWeek}, Readable);
    EXPECT_EQ(missingFolder.kind(), ErrorKind::io);
    EXPECT_NE(missingFolder.message().find(dir.File("none/qv.ini")), std::string::npos);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"qv.ini"});
}

}  // namespace
}  // namespace tidewell
