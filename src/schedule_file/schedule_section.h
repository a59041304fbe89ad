#pragma once

#include <string>

#include "format/settings_text.h"
#include "model/task_record.h"

namespace tidewell {

// Appends one task as a section of the schedule file: the keys in their fixed
// order, each under its condition. Orders the task's lists and puts an
// operation waiting time above 300 back to 30 in the record itself.
void WriteTaskSection(SettingsTextWriter& document, const std::string& section, TaskRecord& task,
                      bool peEdition);

enum class SectionRead {
    missing,     // none of "Title", "Comment" and "Status": the numbering ends here
    read,        // the record holds the task
    listFailed,  // the schedule list gave no entry: the task is dropped
};

// Reads the section into a record that holds the new-task defaults; missing
// keys take the loader's defaults.
SectionRead ReadTaskSection(const SettingsText& document, const std::string& section, TaskRecord& task);

}  // namespace tidewell
