#pragma once
// The one entry through which the frame colour changes: the first colour and a repeat are applied
// at once, any other change steps one scale unit at a time, 50 ms apart, with the refresh timer
// stopped and the user interface kept alive in between.
#include "config/settings.h"
#include "platform/dwm.h"
#include "ui/window_system.h"

#include <cstdint>

namespace korvane {

inline constexpr int kNoColourYet = -1;
inline constexpr int kStepWaitMilliseconds = 50;
// A transition walks at most this far beyond the ramp's ends (0 and 100).
inline constexpr int kWalkFloor = -100;
inline constexpr int kWalkCeiling = 200;

// Off: readings and the preview slider set the colour. On: only the easter-egg sweep does.
enum class EggMode : std::uint8_t { Off, On };

struct ColourState {
    EggMode EasterEggMode = EggMode::Off;
    int CurrentScalePosition = kNoColourYet;
    // While a transition runs: the timer period it will restore when it ends; -1 otherwise.
    // The easter-egg switch saves this instead of the 0 that the transition set.
    int PendingTimerPeriod = -1;
};

struct ColourContext {
    ColourState& state;
    const Settings& settings;
    ui::WindowSystem& ui;
    platform::Dwm& dwm;
};

// A call whose mode differs from the current easter-egg mode does nothing.
void SetScaleColour(ColourContext& context, int target, EggMode mode);

// Waits until the tick count has passed now + `milliseconds`, processing pending window messages
// and sleeping until input arrives in between.
void WaitWithEvents(ui::WindowSystem& ui, int milliseconds);

// Tick count `now` has passed `end`, across the 49.7-day wrap of the 32-bit count.
inline bool TickPassed(std::uint32_t now, std::uint32_t end) {
    return static_cast<std::int32_t>(now - end) > 0;
}

} // namespace korvane
