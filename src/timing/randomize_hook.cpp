#include "timing/randomize_hook.h"

namespace tidewell {

// Randomized run times are not drawn yet: the task runs at its scheduled time.
void DecideRandomTimeWhenSet(TaskRecord&, const NextRunContext&) {}

}  // namespace tidewell
