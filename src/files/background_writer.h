#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "base/result.h"

namespace tidewell {

// Writes on a thread of its own, so that the caller never waits for the disk. A write holds
// what it writes, taken when it was queued. One write at a time; a write queued behind another
// is replaced by a newer one, so the latest wins and no older one lands after it.
class BackgroundWriter {
public:
    using Write = std::function<Result()>;
    // Called on the writer's thread after each queued write succeeded or failed, with the
    // number Queue gave it. A write replaced before it began is not reported.
    using Report = std::function<void(uint64_t number, const Result& written)>;

    explicit BackgroundWriter(Report report);
    // Makes what is queued, then ends the thread.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Queues the write and returns its number (1, 2, ...).
    uint64_t Queue(Write write);
    // Makes the write on the calling thread before returning, after the write under way: a
    // queued older write is dropped (this one is newer). Not reported; the result is returned.
    Result WriteNow(const Write& write);
    // Returns once nothing is queued or being written.
    void Finish();

private:
    void Run();

    Report m_report;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Write m_queued;  // empty: nothing queued
    uint64_t m_queuedNumber = 0;
    uint64_t m_lastNumber = 0;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace tidewell
