#include "files/durable_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "files/temporary_file.h"
#include "files/whole_file.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::WriteFileText;

class DurableFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_temp.File(name); }
    std::map<std::string, std::string> Snapshot() const { return testing::FolderSnapshot(m_temp.Path()); }

    testing::TempDir m_temp;
};

TEST_F(DurableFileTest, FailureLeavesTheOldFileAndNoNewFile) {
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> prepare;  // folder -> target path
        bool capFileSize;
    };
    const Case cases[] = {
        {"missing folder", [](const std::string& folder) { return folder + "/absent/t.ini"; }, false},
        {"folder is a file",
         [](const std::string& folder) {
             WriteFileText(folder + "/file", "plain");
             return folder + "/file/t.ini";
         },
         false},
        {"target is a folder",
         [](const std::string& folder) {
             fs::create_directories(folder + "/t.ini/inside");
             return folder + "/t.ini";
         },
         false},
        {"write fails part-way",
         [](const std::string& folder) {
             WriteFileText(folder + "/t.ini", "old");
             return folder + "/t.ini";
         },
         true},
        {"empty name", [](const std::string& folder) { return folder + "/"; }, false},
    };
    const std::string bytes(256 * 1024, 'n');
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = Path("case" + std::to_string(++number));
        fs::create_directory(folder);
        const std::string path = c.prepare(folder);
        const auto before = Snapshot();
        std::optional<testing::FileSizeCap> cap;
        if (c.capFileSize) cap.emplace(4096);
        const Result result = WriteFileDurably(path, bytes);
        cap.reset();
        EXPECT_EQ(result.kind(), ErrorKind::io);
        EXPECT_EQ(result.message(), CannotWriteFileMessage(path));
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(DurableFileTest, LinksAreWrittenThroughAndKept) {
    fs::create_directory(Path("real"));
    WriteFileText(Path("real/target.ini"), "old");
    fs::create_symlink("real/target.ini", Path("relative"));
    fs::create_symlink(Path("relative"), Path("chain"));
    fs::create_symlink("real/absent.ini", Path("dangling"));
    for (const char* name : {"relative", "chain"}) {
        ASSERT_TRUE(WriteFileDurably(Path(name), name).ok()) << name;
        EXPECT_EQ(ReadFileText(Path("real/target.ini")), name);
    }
    ASSERT_TRUE(WriteFileDurably(Path("dangling"), "made").ok());
    EXPECT_EQ(Snapshot(), (std::map<std::string, std::string>{{"real", "<folder>"},
                                                              {"real/target.ini", "chain"},
                                                              {"real/absent.ini", "made"},
                                                              {"relative", "-> real/target.ini"},
                                                              {"chain", "-> " + Path("relative")},
                                                              {"dangling", "-> real/absent.ini"}}));
    fs::create_symlink("loop-b", Path("loop-a"));
    fs::create_symlink("loop-a", Path("loop-b"));
    EXPECT_EQ(WriteFileDurably(Path("loop-a"), "x").kind(), ErrorKind::io);
}

TEST_F(DurableFileTest, StaleStagedFilesOfTheTargetAreRemoved) {
    const timespec start{2000000000, 0};
    const auto plant = [this](const std::string& name, time_t seconds) {
        WriteFileText(Path(name), "staged");
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, Path(name).c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    };
    struct Case {
        const char* name;
        time_t changed;
        bool removed;
    };
    const Case cases[] = {
        {".schedule.rws.tmp-4242-0-981234", start.tv_sec - 1, true},
        {".schedule.rws.tmp-4242-1-7", start.tv_sec + 5, false},  // a save of the running instance
        {".schedule.rws.tmp-4242-0", start.tv_sec - 1, false},
        {".schedule.rws.tmp-1-2-x", start.tv_sec - 1, false},
        {".schedule.rws.tmp-1-2-3-4", start.tv_sec - 1, false},
        {"schedule.rws.tmp-1-2-3", start.tv_sec - 1, false},
        {".qv.ini.tmp-1-2-3", start.tv_sec - 1, false},
        {"schedule.rws", start.tv_sec - 1, false},
    };
    for (const Case& c : cases) plant(c.name, c.changed);
    fs::create_directory(Path(".schedule.rws.tmp-5-5-5"));
    fs::create_symlink("schedule.rws", Path(".schedule.rws.tmp-6-6-6"));
    const timespec old[2] = {{start.tv_sec - 9, 0}, {start.tv_sec - 9, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path(".schedule.rws.tmp-6-6-6").c_str(), old, AT_SYMLINK_NOFOLLOW), 0);

    EXPECT_EQ(RemoveStaleStagedFiles(Path("schedule.rws"), start), 2);
    for (const Case& c : cases) EXPECT_EQ(fs::exists(Path(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_directory(Path(".schedule.rws.tmp-5-5-5")));
    EXPECT_FALSE(fs::is_symlink(Path(".schedule.rws.tmp-6-6-6")));
}

TEST_F(DurableFileTest, StagedFilesChangeNothingUntilCommitted) {
    const std::string target = Path("target");
    WriteFileText(target, "old");
    {
        StagedFile dropped;
        ASSERT_TRUE(dropped.Open(target).ok());
        ASSERT_TRUE(dropped.Write("never").ok());
    }
    EXPECT_EQ(Snapshot(), (std::map<std::string, std::string>{{"target", "old"}}));

    // Put in place only where nothing has the name: an existing file is never replaced.
    StagedFile file;
    ASSERT_TRUE(file.Open(target).ok());
    ASSERT_TRUE(file.Write("new").ok());
    bool existed = false;
    ASSERT_TRUE(file.CommitIfMissing(existed).ok());
    EXPECT_TRUE(existed);
    StagedFile link;
    ASSERT_TRUE(link.OpenLink(Path("link"), "target").ok());
    ASSERT_TRUE(link.CommitIfMissing(existed).ok());
    EXPECT_FALSE(existed);
    EXPECT_EQ(Snapshot(), (std::map<std::string, std::string>{{"target", "old"}, {"link", "-> target"}}));
}

TEST_F(DurableFileTest, ReadWholeFileKinds) {
    WriteFileText(Path("small"), "0123456789");
    WriteFileText(Path("empty"), "");
    fs::create_directory(Path("folder"));
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::size_t limit;
        ErrorKind kind;
        const char* bytes;
    };
    const Case cases[] = {
        {"small", kNoReadLimit, ErrorKind::none, "0123456789"},
        {"small", 10, ErrorKind::none, "0123456789"},
        {"small", 9, ErrorKind::invalid, ""},
        {"empty", 0, ErrorKind::none, ""},
        {"absent", kNoReadLimit, ErrorKind::notFound, ""},
        {"small/below", kNoReadLimit, ErrorKind::notFound, ""},
        {"folder", kNoReadLimit, ErrorKind::io, ""},
        {"pipe", kNoReadLimit, ErrorKind::io, ""},  // must not wait for a writer
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(ReadWholeFile(Path(c.name), bytes, c.limit).kind(), c.kind) << c.name;
        EXPECT_EQ(bytes, c.bytes) << c.name;
    }
}

}  // namespace
}  // namespace tidewell
