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

} // namespace korvane::platform
