#pragma once
// How writing the timer's period behaves, shared by both window systems.

namespace korvane::ui {

struct TimerChange {
    int period;   // the period now in force
    bool restart; // stop the timer, and start it again with `period` when it is positive
};

// A negative value counts as 0; writing the period the timer already has changes nothing;
// any other value stops the timer and, if positive, starts it again one full period later.
inline constexpr TimerChange ApplyTimerPeriod(int current, int requested) {
    const int period = requested < 0 ? 0 : requested;
    if (period == current) return {current, false};
    return {period, true};
}

} // namespace korvane::ui
