#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "base/result.h"
#include "schedule_file/schedule_store.h"

namespace tidewell {

// Writes snapshots of the schedule file on a thread of its own, so that the caller never waits
// for the disk. One write at a time; a snapshot queued behind a write is replaced by a newer
// one, so the latest snapshot wins and no older one lands after it.
class ScheduleSaver {
public:
    // Called on the saver's thread after each queued snapshot was written or failed, with the
    // number Queue gave it. A snapshot replaced before its write is not reported.
    using Report = std::function<void(uint64_t number, const Result& written)>;
    using Write = std::function<Result(ScheduleSnapshot&)>;

    explicit ScheduleSaver(Report report, Write write = WriteSnapshot);
    // Writes what is queued, then ends the thread.
    ~ScheduleSaver();
    ScheduleSaver(const ScheduleSaver&) = delete;
    ScheduleSaver& operator=(const ScheduleSaver&) = delete;

    // Queues the snapshot and returns its number (1, 2, ...).
    uint64_t Queue(ScheduleSnapshot snapshot);
    // Writes the snapshot on the calling thread before returning, after the write under way: a
    // queued older snapshot is dropped (this one is newer). Not reported; the result is returned.
    Result WriteNow(ScheduleSnapshot& snapshot);
    // Returns once nothing is queued or being written.
    void Finish();

private:
    void Run();

    Report m_report;
    Write m_write;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<ScheduleSnapshot> m_queued;
    uint64_t m_queuedNumber = 0;
    uint64_t m_lastNumber = 0;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace tidewell
