#include "files/durable_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

class DurableFileTest : public ::testing::Test {
protected:
    testing::TempDir m_temp;

    void SetUp() override { m_folder = m_temp.Path(); }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Every entry below the folder, to see that no temporary file is left.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(m_folder)) {
            names.insert(entry.path().string());
        }
        return names;
    }

    std::string m_folder;
};

TEST_F(DurableFileTest, CreatesTheFilePrivatelyAndLeavesNothingElse) {
    const std::string path = Path("new.ini");
    ASSERT_TRUE(WriteFileDurably(path, "abc\r\n").ok());
    EXPECT_EQ(Get(path), "abc\r\n");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(Entries(), (std::set<std::string>{path}));
}

TEST_F(DurableFileTest, ReplacesTheTargetWithANewFile) {
    const std::string path = Path("target.ini");
    Put(path, "old contents that are longer than the new ones");
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    ASSERT_TRUE(WriteFileDurably(path, "new").ok());
    EXPECT_EQ(Get(path), "new");
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // renamed over, never rewritten in place
    EXPECT_EQ(Entries(), (std::set<std::string>{path}));
    ASSERT_TRUE(WriteFileDurably(path, "").ok());
    EXPECT_EQ(Get(path), "");
}

TEST_F(DurableFileTest, PathWithoutFolderWritesIntoTheWorkingFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_folder);
    const bool written = WriteFileDurably("plain.txt", "x").ok();
    fs::current_path(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(Get(Path("plain.txt")), "x");
}


TEST_F(DurableFileTest, FailureLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> prepare;  // folder -> target path
        bool capFileSize;
    };
    const Case cases[] = {
        {"missing folder", [](const std::string& folder) { return folder + "/absent/t.ini"; }, false},
        {"folder is a file",
         [](const std::string& folder) {
             Put(folder + "/file", "plain");
             return folder + "/file/t.ini";
         },
         false},
        {"target is a folder",
         [](const std::string& folder) {
             fs::create_directory(folder + "/t.ini");
             Put(folder + "/t.ini/inside", "kept");
             return folder + "/t.ini";
         },
         false},
        {"write fails part-way",
         [](const std::string& folder) {
             Put(folder + "/t.ini", "old");
             return folder + "/t.ini";
         },
         true},
        {"empty name", [](const std::string& folder) { return folder + "/"; }, false},
    };
    const std::string bytes(256 * 1024, 'n');
    int number = 0;
    for (const Case& c : cases) {
        const std::string folder = Path("case" + std::to_string(++number));
        fs::create_directory(folder);
        const std::string path = c.prepare(folder);
        const std::set<std::string> before = Entries();
        std::map<std::string, std::string> contents;
        for (const std::string& entry : before) {
            if (fs::is_regular_file(entry)) {
                contents[entry] = Get(entry);
            }
        }
        Result result = Result::Ok();
        if (c.capFileSize) {
            testing::FileSizeCap cap(4096);
            result = WriteFileDurably(path, bytes);
        } else {
            result = WriteFileDurably(path, bytes);
        }
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.message(), CannotWriteFileMessage(path)) << c.name;
        EXPECT_EQ(Entries(), before) << c.name;
        for (const auto& [entry, old] : contents) {
            EXPECT_EQ(Get(entry), old) << c.name << " " << entry;
        }
    }
}

TEST_F(DurableFileTest, ReadOnlyFolderRefusesTheWrite) {
    const std::string path = Path("locked/target.ini");
    fs::create_directory(Path("locked"));
    Put(path, "old");
    fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    if (access(Path("locked").c_str(), W_OK) == 0) {
        fs::permissions(Path("locked"), fs::perms::owner_all);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    const Result result = WriteFileDurably(path, "new");
    fs::permissions(Path("locked"), fs::perms::owner_all);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message(), CannotWriteFileMessage(path));
    EXPECT_EQ(Get(path), "old");
    EXPECT_EQ(Entries(), (std::set<std::string>{Path("locked"), path}));
}

TEST_F(DurableFileTest, MessageNamesThePath) {
    const std::string message = CannotWriteFileMessage("/some/where/schedule.rws");
    EXPECT_NE(message.find("/some/where/schedule.rws"), std::string::npos) << message;
    EXPECT_EQ(message.find("#1"), std::string::npos) << message;
}

TEST_F(DurableFileTest, ReadWholeFileStatuses) {
    Put(Path("small"), "0123456789");
    Put(Path("empty"), "");
    fs::create_directory(Path("folder"));
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::size_t limit;
        ReadStatus status;
        const char* bytes;
    };
    const Case cases[] = {
        {"small", kNoReadLimit, ReadStatus::Ok, "0123456789"},
        {"small", 10, ReadStatus::Ok, "0123456789"},
        {"small", 9, ReadStatus::TooLarge, ""},
        {"empty", 0, ReadStatus::Ok, ""},
        {"absent", kNoReadLimit, ReadStatus::Missing, ""},
        {"folder", kNoReadLimit, ReadStatus::Failed, ""},
        {"pipe", kNoReadLimit, ReadStatus::Failed, ""},  // must not wait for a writer
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(ReadWholeFile(Path(c.name), bytes, c.limit), c.status) << c.name;
        EXPECT_EQ(bytes, c.bytes) << c.name;
    }
}

}  // namespace
}  // namespace tidewell
