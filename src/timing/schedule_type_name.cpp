#include "timing/schedule_type_name.h"

#include "text/messages.h"

namespace tidewell {

std::string ScheduleTypeName(ScheduleType type) {
    switch (type) {
        case ScheduleType::daily: return LoadMessage(IDS_TIDEWELL_ST_DAILY);
        case ScheduleType::weekly: return LoadMessage(IDS_TIDEWELL_ST_WEEKLY);
        case ScheduleType::monthly: return LoadMessage(IDS_TIDEWELL_ST_MONTHLY);
        case ScheduleType::yearly: return LoadMessage(IDS_TIDEWELL_ST_YEARLY);
        case ScheduleType::once: return LoadMessage(IDS_TIDEWELL_ST_ONCE);
        case ScheduleType::repeating: return LoadMessage(IDS_TIDEWELL_ST_REPEATING);
        case ScheduleType::countDown: return LoadMessage(IDS_TIDEWELL_ST_COUNTDOWN);
        case ScheduleType::atLogon: return LoadMessage(IDS_TIDEWELL_ST_AT_LOGON);
        case ScheduleType::placeholder: break;
    }
    return {};
}

}  // namespace tidewell
