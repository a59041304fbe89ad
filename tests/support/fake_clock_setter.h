#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/clock_setter.h"
#include "platform/time_zone.h"

namespace tidewell::testing {

// Records the instants it is asked to set; never touches the real clock.
class FakeClockSetter final : public ClockSetter {
public:
    Result SetSystemClock(int64_t utcMicroseconds, const CancelFlag& /*cancel*/) override {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(utcMicroseconds);
        return m_refusal ? Result::Fail(m_refusal->kind(), m_refusal->message()) : Result::Ok();
    }
    bool CanSetClock() override { return !m_refusal; }

    void Refuse(ErrorKind kind, std::string message) { m_refusal = Result::Fail(kind, std::move(message)); }
    std::vector<int64_t> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<int64_t> m_calls;
    std::optional<Result> m_refusal;
};

// A time zone with a fixed bias in minutes (UTC = local + bias).
class FixedTimeZone final : public TimeZonePort {
public:
    explicit FixedTimeZone(int bias) : m_bias(bias) {}
    int CurrentBias() const override { return m_bias; }

private:
    int m_bias;
};

}  // namespace tidewell::testing
