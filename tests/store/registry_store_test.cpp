#include "store/registry_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "support/injected_file_faults.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

class RegistryStoreTest : public ::testing::Test {
protected:
    std::string File() const { return m_folder + "/" + std::string(kRegistryFileName); }
    std::string Damaged(const std::string& suffix = "") const {
        return File() + std::string(kRegistryDamagedSuffix) + suffix;
    }
    void Put(const std::string& bytes) const { testing::WriteFileText(File(), bytes); }
    static std::string Get(const std::string& path) { return testing::ReadFileText(path); }
    static std::string SavedAs(const std::string& path) {
        return ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", path);
    }

    testing::TempDir m_temp;
    std::string m_root = m_temp.Path();
    std::string m_folder = m_root + "/Verimont/Tidewell/2.7";
};

// The user's root stays private; the machine-wide root is read by every user, whatever the umask
// of the administrator who wrote it, and a file an earlier version kept private is opened up.
TEST_F(RegistryStoreTest, ModesFollowTheAccessOfTheRoot) {
    const auto modeOf = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u;
    };
    const mode_t savedMask = ::umask(077);
    for (const RegistryAccess access : {RegistryAccess::Private, RegistryAccess::Shared}) {
        const bool shared = access == RegistryAccess::Shared;
        fs::remove_all(m_root + "/Verimont");
        RegistryStore store(m_folder, nullptr, access);
        ASSERT_TRUE(store.WriteSettingString("Tidewell\\App", "First Run", "1"));
        EXPECT_EQ(modeOf(File()), shared ? 0644u : 0600u);
        for (const std::string& folder : {m_root + "/Verimont", m_root + "/Verimont/Tidewell", m_folder})
            EXPECT_EQ(modeOf(folder), shared ? 0755u : 0700u) << folder;
        ::chmod(File().c_str(), 0600);
        ASSERT_TRUE(store.WriteSettingString("Tidewell\\App", "First Run", "1"));
        EXPECT_EQ(modeOf(File()), shared ? 0644u : 0600u);
    }
    ::umask(savedMask);
}

TEST_F(RegistryStoreTest, DamagedFileIsReportedOnceKeptAsideAndThenReplaced) {
    const std::vector<std::string> damaged = {
        "garbage\r\n",
        "Scheduling = dword:1\r\n[Tidewell\\App]\r\n",
        "[Tidewell\\App]\r\nScheduling = int:1\r\n",
        "[Tidewell\\App]\r\nScheduling = dword:4294967296\r\n",
        "[Tidewell\\App]\r\nName = sz:%zz\r\n",
        "[Tidewell\\App]\r\nName=sz:x\r\n",
        std::string("\0\1\2\3", 4),
        "[A]\r\nb = dword:1\r\n" + std::string(kRegistryFileLimit, ' ')};
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes.substr(0, 40));
        fs::remove_all(m_folder);
        Put(bytes);
        RecordingMessageBox box;
        RegistryStore store(m_folder, &box);
        EXPECT_EQ(store.ReadSettingInt("Tidewell\\App", "Scheduling", 5), 5);
        EXPECT_EQ(store.ReadSettingString("Tidewell\\App", "Name", "d"), "d");
        ASSERT_EQ(box.CallCount(), 1u);
        const std::string expected =
            LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH) + "\r\n\r\n" + SavedAs(Damaged());
        EXPECT_EQ(box.LastCall().text, expected);
        EXPECT_EQ(store.Problem(), expected);
        EXPECT_EQ(store.DamagedCopyPath(), Damaged());
        EXPECT_EQ(Get(Damaged()), bytes);
        EXPECT_EQ(Get(File()), bytes) << "left in place until a write";

        ASSERT_TRUE(store.WriteSettingInt("Tidewell\\App", "Run Code", 1));
        EXPECT_EQ(store.ReadSettingInt("Tidewell\\App", "Run Code", 0), 1);
        EXPECT_EQ(Get(Damaged()), bytes);
        EXPECT_EQ(store.Problem(), "");
        EXPECT_EQ(box.CallCount(), 1u);
        RegistryStore again(m_folder);
        EXPECT_EQ(again.ReadSettingInt("Tidewell\\App", "Run Code", 0), 1);
        EXPECT_EQ(again.Problem(), "");
    }
}

TEST_F(RegistryStoreTest, FileDamagedWhileInUseIsReportedAgainAndRepairIsSeen) {
    RecordingMessageBox box;
    RegistryStore store(m_folder, &box);
    ASSERT_TRUE(store.WriteSettingInt("A", "b", 1));
    Put("broken\r\n");
    EXPECT_EQ(store.ReadSettingInt("A", "b", 0), 0);
    EXPECT_EQ(store.ReadSettingInt("A", "b", 0), 0);
    EXPECT_EQ(box.CallCount(), 1u);
    Put("[A]\r\nb = dword:3\r\n");
    EXPECT_EQ(store.ReadSettingInt("A", "b", 0), 3);
    EXPECT_EQ(store.Problem(), "");
    Put("broken again\r\n");
    EXPECT_EQ(store.ReadSettingInt("A", "b", 0), 0);
    EXPECT_EQ(box.CallCount(), 2u);
}

TEST_F(RegistryStoreTest, UnreadableFileIsReportedAndNotReplacedWhenItCannotBeKept) {
    // A folder in the file's place can be neither read nor linked.
    fs::create_directories(File() + "/inside");
    RecordingMessageBox box;
    RegistryStore store(m_folder, &box);
    EXPECT_EQ(store.ReadSettingInt("A", "b", 4), 4);
    EXPECT_FALSE(store.WriteSettingInt("A", "b", 1));
    EXPECT_EQ(store.ReadSettingInt("A", "b", 4), 1);  // held for this run
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(box.LastCall().text,
              ReplaceAll(LoadMessage(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL), "#1", File()) +
                  "\r\n\r\n" + CannotWriteFileMessage(File()));
    EXPECT_TRUE(fs::is_directory(File() + "/inside"));
    EXPECT_EQ(store.DamagedCopyPath(), "");
}

TEST_F(RegistryStoreTest, FailedWritesAreReportedOnceHeldInMemoryAndStoredLater) {
    RecordingMessageBox box;
    RegistryStore store(m_folder, &box);
    ASSERT_TRUE(store.WriteSettingInt("Tidewell\\App", "Scheduling", 1));
    const std::string before = Get(File());
    testing::InjectedFileFaults faults;
    faults.Fail(FileStep::create, ENOSPC);
    const Result failed = store.WriteSettingInt("Tidewell\\App", "Scheduling", 0);
    EXPECT_EQ(failed.kind(), ErrorKind::io);
    EXPECT_EQ(failed.message(), CannotWriteFileMessage(File()));
    for (int i = 0; i < 24; ++i)
        EXPECT_FALSE(store.WriteSettingString("Find", "History " + std::to_string(i), "x"));
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(box.LastCall().text, CannotWriteFileMessage(File()));
    EXPECT_EQ(store.ReadSettingInt("Tidewell\\App", "Scheduling", 1), 0);
    EXPECT_EQ(Get(File()), before);

    faults.Heal();
    ASSERT_TRUE(RegistryStore(m_folder).WriteSettingInt("Other", "Process", 7));  // kept by the merge
    ASSERT_TRUE(store.WriteSettingInt("Tidewell\\App", "Mute", 1));
    RegistryStore next(m_folder);
    EXPECT_EQ(next.ReadSettingInt("Tidewell\\App", "Scheduling", 1), 0);
    EXPECT_EQ(next.ReadSettingString("Find", "History 23", ""), "x");
    EXPECT_EQ(next.ReadSettingInt("Other", "Process", 0), 7);
    faults.Fail(FileStep::rename, EIO);
    EXPECT_FALSE(store.WriteSettingInt("Tidewell\\App", "Mute", 0));
    EXPECT_EQ(box.CallCount(), 2u);  // a new failure after a success is told again
}

TEST_F(RegistryStoreTest, ABatchReplacesTheFileOnceAndKeepsWhatOthersWroteMeanwhile) {
    RegistryStore store(m_folder);
    ASSERT_TRUE(store.WriteSettingInt("A", "first", 1));
    testing::InjectedFileFaults faults;
    {
        SettingsBatch batch(store);
        for (int i = 0; i < 25; ++i)
            ASSERT_TRUE(store.WriteSettingInt("Find", "Entry " + std::to_string(i), i));
        EXPECT_EQ(store.ReadSettingInt("Find", "Entry 24", 0), 24);
        EXPECT_EQ(faults.Count(FileStep::rename), 0);
        ASSERT_TRUE(RegistryStore(m_folder).WriteSettingInt("Other", "Process", 7));
        EXPECT_TRUE(batch.Finish());
    }
    EXPECT_EQ(faults.Count(FileStep::rename), 2);  // the other process's, and the batch's
    RegistryStore next(m_folder);
    EXPECT_EQ(next.ReadSettingInt("Find", "Entry 24", 0), 24);
    EXPECT_EQ(next.ReadSettingInt("Other", "Process", 0), 7);
    EXPECT_EQ(next.ReadSettingInt("A", "first", 0), 1);
}

TEST_F(RegistryStoreTest, ABatchThatCannotBeStoredFailsOnceAndOneLeftUnfinishedIsStored) {
    RecordingMessageBox box;
    RegistryStore store(m_folder, &box);
    testing::InjectedFileFaults faults;
    faults.Fail(FileStep::rename, EIO);
    {
        SettingsBatch batch(store);
        ASSERT_TRUE(store.WriteSettingInt("Find", "Up", 1));  // memory only, until the end
        EXPECT_EQ(batch.Finish().kind(), ErrorKind::io);
    }
    EXPECT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(store.ReadSettingInt("Find", "Up", 0), 1);  // held for this run
    faults.Heal();
    {
        SettingsBatch batch(store);
        ASSERT_TRUE(store.WriteSettingInt("Find", "Case", 1));
    }  // left without Finish, as by an early return
    RegistryStore next(m_folder);
    EXPECT_EQ(next.ReadSettingInt("Find", "Up", 0), 1);
    EXPECT_EQ(next.ReadSettingInt("Find", "Case", 0), 1);
}

}  // namespace
}  // namespace tidewell
