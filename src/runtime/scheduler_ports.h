#pragma once

#include <cstddef>

#include "model/task_record.h"

namespace tidewell {

// Carries out a task's action. RunTask shows what it shows and returns at once: windows and
// messages it opens stay open while later passes go on. It returns whether the action started;
// a program that is missing or cannot start did not run, and its failure has been reported.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    [[nodiscard]] virtual bool RunTask(TaskRecord& task) = 0;
};

}  // namespace tidewell
