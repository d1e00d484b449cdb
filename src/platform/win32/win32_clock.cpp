#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

namespace {

// FILETIME counts 100-nanosecond intervals since 1601.
constexpr std::uint64_t kIntervalsPerMillisecond = 10000;
constexpr std::uint64_t kMillisecondsFrom1601To1970 = 11644473600000ull;

} // namespace

std::uint32_t Win32Clock::TickCount() {
    return GetTickCount();
}

std::uint64_t Win32Clock::MillisecondsSince1970() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t intervals =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return intervals / kIntervalsPerMillisecond - kMillisecondsFrom1601To1970;
}

} // namespace korvane::platform
