#include "app/schedule_page/schedule_part.h"

namespace tidewell {

CSchedulePart::CSchedulePart(SheetContext& context, QWidget* parent) : QWidget(parent), m_context(context) {}

}  // namespace tidewell
