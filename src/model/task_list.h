#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/task_record.h"

namespace tidewell {

// The ordered list of tasks. It owns its records; a record keeps its address
// while it stays in the list, so the views may point at it.
class TaskList {
public:
    TaskList() = default;
    TaskList(const TaskList& other);
    TaskList& operator=(const TaskList& other);
    TaskList(TaskList&&) noexcept = default;
    TaskList& operator=(TaskList&&) noexcept = default;

    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    TaskRecord& operator[](size_t index) { return *m_records[index]; }
    const TaskRecord& operator[](size_t index) const { return *m_records[index]; }

    // Appends and returns the new record.
    TaskRecord& Add(TaskRecord record);
    void Insert(size_t index, TaskRecord record);
    void Remove(size_t index);
    // Deletes every record.
    void Clear();
    // Moves the records out, leaving the list empty.
    std::vector<std::unique_ptr<TaskRecord>> Release();
    void Adopt(std::vector<std::unique_ptr<TaskRecord>> records);

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Iteration over the records themselves.
    template <typename Records, typename Record>
    class BasicIterator {
    public:
        BasicIterator(Records* records, size_t index) : m_records(records), m_index(index) {}
        Record& operator*() const { return *(*m_records)[m_index]; }
        Record* operator->() const { return (*m_records)[m_index].get(); }
        BasicIterator& operator++() {
            ++m_index;
            return *this;
        }
        bool operator==(const BasicIterator& other) const { return m_index == other.m_index; }

    private:
        Records* m_records;
        size_t m_index;
    };
    using Storage = std::vector<std::unique_ptr<TaskRecord>>;
    using iterator = BasicIterator<Storage, TaskRecord>;
    using const_iterator = BasicIterator<const Storage, const TaskRecord>;
    iterator begin() { return {&m_records, 0}; }
    iterator end() { return {&m_records, m_records.size()}; }
    const_iterator begin() const { return {&m_records, 0}; }
    const_iterator end() const { return {&m_records, m_records.size()}; }

private:
    Storage m_records;
    bool m_modified = false;
};

}  // namespace tidewell
