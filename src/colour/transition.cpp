#include "colour/transition.h"

#include "colour/ramp.h"

#include <algorithm>

namespace korvane {
namespace {

// The values handed with every colour; only the colours and the opaque switch change.
constexpr platform::ColorizationParameters kFixedColorization{
    .ColourBalance = 54,
    .AfterglowBalance = 12,
    .BlurBalance = 34,
    .GlassReflectionIntensity = 50,
};

platform::ColorizationParameters FixedParameters(std::int32_t opaque) {
    platform::ColorizationParameters parameters = kFixedColorization;
    parameters.OpaqueBlend = opaque;
    return parameters;
}

void SetColour(platform::ColorizationParameters& parameters, int position) {
    parameters.Colour = CompositionColour(position);
    parameters.AfterglowColour = parameters.Colour;
}

// Publishes the period the outermost running transition will restore, for the easter-egg switch.
class PendingPeriodScope {
  public:
    PendingPeriodScope(ColourState& state, int period)
        : state_(state), outermost_(state.PendingTimerPeriod < 0) {
        if (outermost_) state_.PendingTimerPeriod = period;
    }
    ~PendingPeriodScope() {
        if (outermost_) state_.PendingTimerPeriod = -1;
    }
    PendingPeriodScope(const PendingPeriodScope&) = delete;
    PendingPeriodScope& operator=(const PendingPeriodScope&) = delete;

  private:
    ColourState& state_;
    bool outermost_;
};

// Applies `target` at once or walks to it, then writes `rememberedPeriod` back to the timer
// (stopped by the caller).
void Transition(ColourContext& context, int target, EggMode mode, int rememberedPeriod) {
    ColourState& state = context.state;
    PendingPeriodScope pending(state, rememberedPeriod);

    platform::ColorizationParameters parameters = FixedParameters(context.opaque);
    if (state.CurrentScalePosition == kNoColourYet || state.CurrentScalePosition == target) {
        state.CurrentScalePosition = target;
        SetColour(parameters, target);
        context.dwm.ApplyColorization(parameters);
    } else {
        // Beyond the ramp's ends every position shows the end colour. A reading far outside the
        // bounds would otherwise be walked to one unit at a time, for days, with the refresh
        // timer stopped: the walk is kept within a margin around the ramp instead.
        int& position = state.CurrentScalePosition;
        position = std::clamp(position, kWalkFloor, kWalkCeiling);
        const int walkTarget = std::clamp(target, kWalkFloor, kWalkCeiling);
        if (position == walkTarget) {
            SetColour(parameters, walkTarget);
            context.dwm.ApplyColorization(parameters);
        }
        while (position != walkTarget) {
            position += walkTarget > position ? 1 : -1;
            SetColour(parameters, position);
            WaitWithEvents(context.ui, kStepWaitMilliseconds);
            // The easter egg was switched during the wait: it has set the period it wants.
            if (mode != state.EasterEggMode) return;
            context.dwm.ApplyColorization(parameters);
        }
        position = target;
    }
    context.ui.SetTimerPeriod(rememberedPeriod);
}

} // namespace

void SetScaleColour(ColourContext& context, int target, EggMode mode) {
    ColourState& state = context.state;
    if (mode != state.EasterEggMode) return;
    // A walk kept for the other mode is void: the easter egg was switched since.
    if (state.Deferred && state.Deferred->mode != mode) state.Deferred.reset();

    // A kept walk has stopped the timer already: its period is the one to restore.
    const int rememberedPeriod =
        state.Deferred ? state.Deferred->timerPeriod : context.ui.TimerPeriod();
    context.ui.SetTimerPeriod(0);
    const bool direct =
        state.CurrentScalePosition == kNoColourYet || state.CurrentScalePosition == target;
    if (state.Deferred || (!direct && context.ui.MenuOpen())) {
        state.Deferred = DeferredWalk{target, mode, rememberedPeriod}; // the newest target wins
        return;
    }
    Transition(context, target, mode, rememberedPeriod);
}

void RunDeferredWalk(ColourContext& context) {
    ColourState& state = context.state;
    if (!state.Deferred) return;
    const DeferredWalk walk = *state.Deferred;
    state.Deferred.reset();
    if (walk.mode != state.EasterEggMode) return;
    Transition(context, walk.target, walk.mode, walk.timerPeriod);
}

int TimerPeriodAfterTransitions(const ColourState& state, ui::WindowSystem& ui) {
    if (state.PendingTimerPeriod >= 0) return state.PendingTimerPeriod;
    if (state.Deferred) return state.Deferred->timerPeriod;
    return ui.TimerPeriod();
}

void WaitWithEvents(ui::WindowSystem& ui, int milliseconds) {
    if (milliseconds <= 0) return;
    const std::uint32_t end = ui.TickCount() + static_cast<std::uint32_t>(milliseconds);
    ui.ProcessPendingMessages();
    ui.ProcessPendingMessages();
    for (std::uint32_t now = ui.TickCount(); !platform::TickPassed(now, end);
         now = ui.TickCount()) {
        // Sleep until input arrives or until just past the end, then serve the queue again.
        ui.WaitForInput(end - now + 1);
        ui.ProcessPendingMessages();
        ui.ProcessPendingMessages();
    }
}

} // namespace korvane
