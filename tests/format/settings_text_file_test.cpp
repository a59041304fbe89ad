#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/durable_file.h"
#include "format/settings_text.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using testing::FileSizeCap;
using testing::ReadFileText;
using testing::WriteFileText;

class SettingsFileTest : public ::testing::Test {
protected:
    testing::TempDir m_temp;
    std::string Path(const std::string& name) const { return m_temp.File(name); }
    static void Put(const std::string& path, const std::string& bytes) { WriteFileText(path, bytes); }
    static std::string Get(const std::string& path) { return ReadFileText(path); }
};

// --- Settings documents on disk ----------------------------------------------------------------

TEST_F(SettingsFileTest, SettingsSaveCreatesFoldersAndWritesCrLf) {
    SettingsText doc;
    doc.SetHeader("header");
    doc.WriteString("Info", "Info", "Tidewell Job List");
    doc.WriteString("Task", "Comment", "a\nb");
    const std::string path = Path("deep/er/schedule.rws");
    ASSERT_TRUE(doc.SaveToFile(path).ok());
    EXPECT_EQ(Get(path),
              ";header\r\n\r\n[Info]\r\nInfo = Tidewell Job List\r\n\r\n[Task]\r\n"
              "Comment = {{Block}}\r\n<B Start>\r\na\r\nb\r\n<B End>\r\n");
    SettingsText reloaded;
    reloaded.LoadFromFile(path);
    EXPECT_EQ(reloaded.Lines(), doc.Lines());
}

TEST_F(SettingsFileTest, SettingsSaveFailureKeepsTheOldFileAndTheDocument) {
    Put(Path("blocker"), "not a folder");
    const std::string path = Path("blocker/schedule.rws");
    SettingsText doc;
    doc.WriteString("S", "k", "v");
    const Result result = doc.SaveToFile(path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message(), CannotWriteFileMessage(path));
    EXPECT_EQ(Get(Path("blocker")), "not a folder");
    EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"[S]", "k = v"}));

    const std::string target = Path("kept.ini");
    Put(target, "[Old]\r\nk = 1\r\n");
    {
        FileSizeCap cap(8);
        EXPECT_FALSE(doc.SaveToFile(target).ok());
    }
    EXPECT_EQ(Get(target), "[Old]\r\nk = 1\r\n");
}

TEST_F(SettingsFileTest, SettingsLoadOfHandEditedFiles) {
    struct Case {
        const char* name;
        const char* bytes;
    };
    const Case cases[] = {
        {"CR LF", ";h\r\n[S]\r\nk = v\r\nm = {{Block}}\r\n<B Start>\r\n1\r\n2\r\n<B End>\r\n"},
        {"LF", ";h\n[S]\nk = v\nm = {{Block}}\n<B Start>\n1\n2\n<B End>\n"},
        {"no final line end", ";h\r\n[S]\r\nk = v\r\nm = {{Block}}\r\n<B Start>\r\n1\r\n2"},
        {"indented and spaced",
         "\r\n  ;h  \r\n\r\n\t[S]\r\n\r\n   k = v  \r\n  m = {{Block}}\r\n <B Start>\r\n1\r\n"
         "2\r\n <B End> \r\n\r\n"},
    };
    for (const Case& c : cases) {
        Put(Path("hand.ini"), c.bytes);
        SettingsText doc;
        doc.LoadFromFile(Path("hand.ini"));
        std::string value;
        EXPECT_TRUE(doc.ReadString("S", "k", "", value)) << c.name;
        EXPECT_EQ(value, "v") << c.name;
        EXPECT_TRUE(doc.ReadString("S", "m", "", value)) << c.name;
        EXPECT_EQ(value, "1\r\n2") << c.name;
        EXPECT_EQ(doc.SaveToString(),
                  ";h\r\n\r\n[S]\r\nk = v\r\nm = {{Block}}\r\n<B Start>\r\n1\r\n2\r\n<B End>\r\n")
            << c.name;
    }
}

}  // namespace
}  // namespace tidewell
