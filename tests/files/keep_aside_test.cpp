#include "files/keep_aside.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "files/durable_file.h"
#include "files/paths.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::WriteFileText;

TEST(KeepAsideTest, EachDamagedFileGetsItsOwnNameThatNoSaveChanges) {
    testing::TempDir temp;
    const std::string path = temp.File("registry.ini");
    WriteFileText(path, "first damage");
    std::string kept;
    ASSERT_TRUE(KeepAside(path, kept).ok());
    EXPECT_EQ(kept, path + ".damaged");
    ASSERT_TRUE(KeepAside(path, kept).ok());
    EXPECT_EQ(kept, path + ".damaged") << "the same file is kept once";

    ASSERT_TRUE(WriteFileDurably(path, "second damage").ok());
    ::chmod(path.c_str(), 0);  // a file that cannot be read is kept all the same
    ASSERT_TRUE(KeepAside(path, kept).ok());
    EXPECT_EQ(kept, path + ".damaged-2");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteFileDurably(path, "repaired").ok());
    EXPECT_EQ(ReadFileText(path + ".damaged"), "first damage");
    EXPECT_EQ(ReadFileText(path + ".damaged-2"), "second damage");
    EXPECT_EQ(testing::FolderEntries(temp.Path()).size(), 3u);
}

TEST(KeepAsideTest, WhatCannotBeKeptFails) {
    testing::TempDir temp;
    fs::create_directories(temp.File("folder/inside"));
    std::string kept = "stale";
    EXPECT_EQ(KeepAside(temp.File("missing"), kept).kind(), ErrorKind::notFound);
    EXPECT_EQ(kept, "");
    EXPECT_EQ(KeepAside(temp.File("folder"), kept).kind(), ErrorKind::io);
    EXPECT_FALSE(fs::exists(temp.File("folder.damaged")));
}

TEST(PathsTest, FoldersThatCanBeCreated) {
    testing::TempDir temp;
    WriteFileText(temp.File("file"), "x");
    fs::create_directories(temp.File("locked"));
    ::chmod(temp.File("locked").c_str(), 0500);
    const bool bound = ::access(temp.File("locked").c_str(), W_OK) != 0;  // not for the superuser
    struct Case {
        std::string path;
        bool possible;
        bool writable;
    };
    const Case cases[] = {
        {temp.File("new/deeper/name"), true, true},
        {temp.File("file"), true, true},
        {temp.File("file/below"), false, false},
        {temp.File(std::string(256, 'n')), false, false},
        {temp.File("ok/" + std::string(255, 'n')), true, true},
        {"/" + std::string(5000, 'a'), false, false},
        {std::string("nul\0inside", 10), false, false},
        {"", false, false},
        {temp.File("locked/new"), true, !bound},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanBeCreated(c.path), c.possible) << c.path.substr(0, 80);
        EXPECT_EQ(CanBeCreated(c.path, true), c.writable) << c.path.substr(0, 80);
    }
    ::chmod(temp.File("locked").c_str(), 0700);
}

}  // namespace
}  // namespace tidewell
