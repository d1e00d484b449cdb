#pragma once
// The two clocks the program reads: the tick count for spans of time (safe on any thread) and
// the calendar time that a request may carry.
#include <cstdint>

namespace korvane::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since the system started; wraps after 49.7 days.
    virtual std::uint32_t TickCount() = 0;
    virtual std::uint64_t MillisecondsSince1970() = 0;
};

// Tick count `now` has reached, or passed, `end`: across the 49.7-day wrap of the 32-bit count,
// whichever of the two is less than half the count's range ahead of the other is the later.
inline bool TickReached(std::uint32_t now, std::uint32_t end) {
    return static_cast<std::int32_t>(now - end) >= 0;
}
inline bool TickPassed(std::uint32_t now, std::uint32_t end) {
    return static_cast<std::int32_t>(now - end) > 0;
}

} // namespace korvane::platform
