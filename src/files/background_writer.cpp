#include "files/background_writer.h"

#include <utility>

namespace tidewell {

BackgroundWriter::BackgroundWriter(Report report)
    : m_report(std::move(report)), m_thread([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

uint64_t BackgroundWriter::Queue(Write write) {
    uint64_t number = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_queued = std::move(write);
        number = m_queuedNumber = ++m_lastNumber;
    }
    m_changed.notify_all();
    return number;
}

Result BackgroundWriter::WriteNow(const Write& write) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_queued = nullptr;
        m_changed.wait(lock, [this] { return !m_writing; });
        m_writing = true;  // keeps the thread from starting a write meanwhile
    }
    Result written = write();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_writing = false;
    }
    m_changed.notify_all();
    return written;
}

void BackgroundWriter::Finish() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_queued && !m_writing; });
}

void BackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return (m_queued && !m_writing) || (m_stopping && !m_queued); });
        if (!m_queued) return;
        Write write = std::exchange(m_queued, nullptr);
        const uint64_t number = m_queuedNumber;
        m_writing = true;
        lock.unlock();
        const Result written = write();
        write = nullptr;  // what it wrote goes before the lock is taken again
        m_report(number, written);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}

}  // namespace tidewell
