#pragma once
// The one entry through which the frame colour changes: the first colour and a repeat are applied
// at once, any other change steps one scale unit at a time, 50 ms apart, with the refresh timer
// stopped and the user interface kept alive in between.
#include "platform/clock.h"
#include "platform/dwm.h"
#include "ui/window_system.h"

#include <cstdint>
#include <optional>

namespace korvane {

inline constexpr int kNoColourYet = -1;
inline constexpr int kStepWaitMilliseconds = 50;
// A transition walks at most this far beyond the ramp's ends (0 and 100).
inline constexpr int kWalkFloor = -100;
inline constexpr int kWalkCeiling = 200;

// Off: readings and the preview slider set the colour. On: only the easter-egg sweep does.
enum class EggMode : std::uint8_t { Off, On };

// A walk asked for while the tray menu is open: it starts once the menu has closed.
struct DeferredWalk {
    int target;
    EggMode mode;
    int timerPeriod; // restored when the walk ends; the timer stays stopped until then
};

struct ColourState {
    EggMode EasterEggMode = EggMode::Off;
    int CurrentScalePosition = kNoColourYet;
    // While a transition runs: the timer period it will restore when it ends; -1 otherwise.
    // The easter-egg switch saves this instead of the 0 that the transition set.
    int PendingTimerPeriod = -1;
    std::optional<DeferredWalk> Deferred;
};

struct ColourContext {
    ColourState& state;
    std::int32_t opaque; // 1: opaque frames, 0: transparent glass; handed on as it is
    ui::WindowSystem& ui;
    platform::Dwm& dwm;
};

// A call whose mode differs from the current easter-egg mode does nothing. While the tray menu is
// open a walk does not start: the menu's own loop would not be served between the steps. It is
// kept instead, with the timer stopped, until RunDeferredWalk.
void SetScaleColour(ColourContext& context, int target, EggMode mode);

// Runs the walk kept while the tray menu was open, unless the easter egg was switched since (the
// switch has set the period it wants).
void RunDeferredWalk(ColourContext& context);

// The period the timer will have once every running or kept transition has ended.
int TimerPeriodAfterTransitions(const ColourState& state, ui::WindowSystem& ui);

// Waits until the tick count has passed now + `milliseconds`, processing pending window messages
// and sleeping until input arrives in between.
void WaitWithEvents(ui::WindowSystem& ui, int milliseconds);

} // namespace korvane
