#include "time/time_unit.h"

namespace tidewell {

int64_t UnitSeconds(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::seconds: return 1;
        case TimeUnit::minutes: return 60;
        case TimeUnit::hours: return 3600;
        case TimeUnit::days: return 86400;
    }
    return 1;
}

std::string FormatThousands(int64_t n) {
    // Work on the magnitude as unsigned so that the most negative value is safe.
    uint64_t magnitude = n < 0 ? ~static_cast<uint64_t>(n) + 1 : static_cast<uint64_t>(n);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (n < 0) out.push_back('-');
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace tidewell
