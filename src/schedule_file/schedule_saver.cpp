#include "schedule_file/schedule_saver.h"

#include <utility>

namespace tidewell {

ScheduleSaver::ScheduleSaver(Report report, Write write)
    : m_report(std::move(report)), m_write(std::move(write)), m_thread([this] { Run(); }) {}

ScheduleSaver::~ScheduleSaver() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

uint64_t ScheduleSaver::Queue(ScheduleSnapshot snapshot) {
    uint64_t number = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_queued = std::move(snapshot);
        number = m_queuedNumber = ++m_lastNumber;
    }
    m_changed.notify_all();
    return number;
}

Result ScheduleSaver::WriteNow(ScheduleSnapshot& snapshot) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_queued.reset();
        m_changed.wait(lock, [this] { return !m_writing; });
        m_writing = true;  // keeps the thread from starting a write meanwhile
    }
    Result written = m_write(snapshot);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_writing = false;
    }
    m_changed.notify_all();
    return written;
}

void ScheduleSaver::Finish() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_queued && !m_writing; });
}

void ScheduleSaver::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return (m_queued && !m_writing) || (m_stopping && !m_queued); });
        if (!m_queued) return;
        ScheduleSnapshot snapshot = std::move(*m_queued);
        m_queued.reset();
        const uint64_t number = m_queuedNumber;
        m_writing = true;
        lock.unlock();
        const Result written = m_write(snapshot);
        m_report(number, written);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}

}  // namespace tidewell
