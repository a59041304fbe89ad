#include "model/task_list.h"

#include <utility>

namespace tidewell {

TaskList::TaskList(const TaskList& other) : m_modified(other.m_modified) {
    m_records.reserve(other.m_records.size());
    for (const auto& record : other.m_records) m_records.push_back(std::make_unique<TaskRecord>(*record));
}

TaskList& TaskList::operator=(const TaskList& other) {
    if (this != &other) {
        TaskList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TaskRecord& TaskList::Add(TaskRecord record) {
    m_records.push_back(std::make_unique<TaskRecord>(std::move(record)));
    return *m_records.back();
}

void TaskList::Insert(size_t index, TaskRecord record) {
    m_records.insert(m_records.begin() + static_cast<std::ptrdiff_t>(index),
                     std::make_unique<TaskRecord>(std::move(record)));
}

void TaskList::Remove(size_t index) {
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

void TaskList::Clear() {
    m_records.clear();
}

std::vector<std::unique_ptr<TaskRecord>> TaskList::Release() {
    return std::exchange(m_records, {});
}

void TaskList::Adopt(std::vector<std::unique_ptr<TaskRecord>> records) {
    m_records = std::move(records);
}

}  // namespace tidewell
