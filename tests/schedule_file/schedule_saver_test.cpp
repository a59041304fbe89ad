// The background writer of the schedule file: one write at a time, the latest snapshot winning,
// every outcome reported.
#include "schedule_file/schedule_saver.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "files/durable_file.h"
#include "support/injected_file_faults.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

struct Outcome {
    uint64_t number;
    bool ok;
    std::string message;
};

// Holds the first write until released, and counts the writes under way at once.
class Gate {
public:
    Result Write(ScheduleSnapshot& snapshot) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_maxActive = std::max(m_maxActive, ++m_active);
            m_entered = true;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_open; });
        }
        Result written = WriteSnapshot(snapshot);
        const std::lock_guard<std::mutex> lock(m_mutex);
        --m_active;
        return written;
    }
    void AwaitFirstWrite() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_entered; });
    }
    void Open() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    int MaxActive() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_maxActive;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_entered = false;
    bool m_open = false;
    int m_active = 0;
    int m_maxActive = 0;
};

class ScheduleSaverTest : public ::testing::Test {
protected:
    // A list of one task titled `title`.
    ScheduleSnapshot Snapshot(const std::string& title) const {
        TaskList list;
        list.Add(RepeatingTask(At(2026, 3, 2, 8), 1, TimeUnit::hours)).title = title;
        return {m_path, list, {}, false};
    }
    // The title of the task in the file, or what the file holds when it is not a list of one.
    std::string Written() const {
        const std::string text = ReadFileText(m_path);
        const size_t title = text.find("Title = ");
        if (title == std::string::npos) return text;
        return text.substr(title + 8, text.find('\r', title) - title - 8);
    }
    ScheduleSaver::Report Recorder() {
        return [this](uint64_t number, const Result& written) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_outcomes.push_back({number, written.ok(), written.message()});
        };
    }
    std::vector<Outcome> Outcomes() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_outcomes;
    }

    TempDir m_dir;
    const std::string m_path = m_dir.File("schedule.rws");
    std::mutex m_mutex;
    std::vector<Outcome> m_outcomes;
};

TEST_F(ScheduleSaverTest, SnapshotsQueuedBehindAWriteGiveWayToTheLatest) {
    Gate gate;
    ScheduleSaver saver(Recorder(), [&gate](ScheduleSnapshot& snapshot) { return gate.Write(snapshot); });
    EXPECT_EQ(saver.Queue(Snapshot("first")), 1u);
    gate.AwaitFirstWrite();
    saver.Queue(Snapshot("second"));
    saver.Queue(Snapshot("third"));
    EXPECT_EQ(saver.Queue(Snapshot("latest")), 4u);
    gate.Open();
    saver.Finish();

    const std::vector<Outcome> outcomes = Outcomes();
    ASSERT_EQ(outcomes.size(), 2u) << "the replaced snapshots are never written";
    EXPECT_EQ(outcomes[0].number, 1u);
    EXPECT_EQ(outcomes[1].number, 4u);
    EXPECT_EQ(Written(), "latest");
    EXPECT_EQ(gate.MaxActive(), 1);
}

TEST_F(ScheduleSaverTest, AFailedWriteIsReportedAndLeavesTheFileUntilAWriteSucceeds) {
    WriteFileText(m_path, "before");
    ScheduleSaver saver(Recorder());
    InjectedFileFaults faults;
    for (const FileStep step : {FileStep::create, FileStep::write, FileStep::rename}) {
        faults.Fail(step, ENOSPC, m_path);
        saver.Queue(Snapshot("lost"));
        saver.Finish();
        faults.Heal();
        EXPECT_EQ(Written(), "before");
        EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"schedule.rws"})
            << "nothing left behind";
    }
    saver.Queue(Snapshot("after"));
    saver.Finish();

    const std::vector<Outcome> outcomes = Outcomes();
    ASSERT_EQ(outcomes.size(), 4u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(outcomes[i].ok) << i;
        EXPECT_EQ(outcomes[i].message, CannotWriteFileMessage(m_path)) << i;
    }
    EXPECT_TRUE(outcomes[3].ok);
    EXPECT_EQ(Written(), "after");
}

TEST_F(ScheduleSaverTest, AWriteMadeNowIsNeverOvertakenByAnOlderSnapshot) {
    Gate gate;
    ScheduleSaver saver(Recorder(), [&gate](ScheduleSnapshot& snapshot) { return gate.Write(snapshot); });
    saver.Queue(Snapshot("queued first"));
    gate.AwaitFirstWrite();
    saver.Queue(Snapshot("queued second"));
    std::thread now([this, &saver] {
        ScheduleSnapshot snapshot = Snapshot("now");
        EXPECT_TRUE(saver.WriteNow(snapshot).ok());
    });
    gate.Open();
    now.join();
    saver.Finish();
    EXPECT_EQ(Written(), "now") << "whatever the order the threads met in";
    EXPECT_EQ(gate.MaxActive(), 1);
}

TEST_F(ScheduleSaverTest, TheQueuedSnapshotIsWrittenBeforeTheSaverGoes) {
    {
        ScheduleSaver saver(Recorder());
        saver.Queue(Snapshot("one"));
        saver.Queue(Snapshot("two"));
    }
    EXPECT_EQ(Written(), "two");
}

}  // namespace
}  // namespace tidewell
