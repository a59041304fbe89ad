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

// The replacement itself is the file toolkit's; here: a failed save reports the target and
// changes neither the document nor what stands in the way.
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
    SettingsTextWriter writer;
    writer.AddSection("S");
    EXPECT_EQ(writer.SaveToFile(path).message(), CannotWriteFileMessage(path));
}

}  // namespace
}  // namespace tidewell
