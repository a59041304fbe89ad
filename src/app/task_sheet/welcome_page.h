#pragma once

#include "app/task_sheet/options_page.h"

namespace tidewell {

// The wizard's first page: what the wizard will ask.
class CWelcomePage final : public COptionsPage {
    Q_OBJECT

public:
    CWelcomePage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);
};

}  // namespace tidewell
