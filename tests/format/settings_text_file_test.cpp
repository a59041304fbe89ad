#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/durable_file.h"
#include "format/settings_text.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using testing::ReadFileText;
using testing::WriteFileText;

TEST(SettingsFileTest, SaveFailureKeepsTheOldFileAndTheDocument) {
    testing::TempDir temp;
    WriteFileText(temp.File("blocker"), "not a folder");
    const std::string path = temp.File("blocker/schedule.rws");
    SettingsText doc;
    doc.WriteString("S", "k", "v");
    const Result result = doc.SaveToFile(path);
    EXPECT_EQ(result.kind(), ErrorKind::io);
    EXPECT_EQ(result.message(), CannotWriteFileMessage(path));
    EXPECT_EQ(ReadFileText(temp.File("blocker")), "not a folder");
    EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"[S]", "k = v"}));

    const std::string target = temp.File("kept.ini");
    WriteFileText(target, "[Old]\r\nk = 1\r\n");
    {
        testing::FileSizeCap cap(8);
        EXPECT_FALSE(doc.SaveToFile(target).ok());
        SettingsTextWriter writer;
        writer.AddSection("S");
        writer.WriteString("k", "longer than the cap");
        EXPECT_FALSE(writer.SaveToFile(target).ok());
    }
    EXPECT_EQ(ReadFileText(target), "[Old]\r\nk = 1\r\n");
}

}  // namespace
}  // namespace tidewell
