#include "timing/unit_name.h"

#include "text/messages.h"

namespace tidewell {

std::string UnitName(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::seconds: return LoadMessage(IDS_TIDEWELL_UNIT_SECONDS);
        case TimeUnit::minutes: return LoadMessage(IDS_TIDEWELL_UNIT_MINUTES);
        case TimeUnit::hours: return LoadMessage(IDS_TIDEWELL_UNIT_HOURS);
        case TimeUnit::days: return LoadMessage(IDS_TIDEWELL_UNIT_DAYS);
    }
    return {};
}

}  // namespace tidewell
