#include "app/timer_cycle.h"

#include "app/refresh.h"
#include "text/number.h"
#include "text/texts.h"

#include <cmath>

namespace korvane {

void OnTimerTick(Program& program) {
    CheckFetchDeadline(program);
    if (program.colour.EasterEggMode == EggMode::On) {
        EggTick(program);
        return;
    }
    // Remainder with the sign of the dividend: -1 stays -1, so the tick after the egg ends
    // only counts up to 0 and the refresh comes one tick later.
    const double remainder = std::fmod(static_cast<double>(program.TickCount),
                                       static_cast<double>(program.RefreshEvery));
    if (Equal(remainder, 0)) {
        RefreshWeather(program);
        program.TickCount = 1;
    }
    program.TickCount += 1;
}

void ToggleEggMode(Program& program) {
    ui::WindowSystem& ui = program.services.ui;
    EggMode& mode = program.colour.EasterEggMode;
    mode = mode == EggMode::On ? EggMode::Off : EggMode::On;
    if (mode == EggMode::On) {
        // During a transition the timer is stopped only for its length: keep the period the
        // transition will restore, not the 0 it set.
        program.SavedTimerPeriod = TimerPeriodAfterTransitions(program.colour, ui);
        ui.SetTimerPeriod(kEggPeriodMilliseconds);
        ui.ShowMessageBox(texts::kEggOn, texts::kEggOnCaption, ui::box::Information);
        program.TickCount = -1;
    } else {
        ui.SetTimerPeriod(program.SavedTimerPeriod);
        ui.ShowMessageBox(texts::kEggOff, texts::kEggOffCaption, ui::box::Information);
    }
}

void EggTick(Program& program) {
    int& position = program.colour.CurrentScalePosition;
    if (position < 0 || position > 100) {
        // A start beyond an end would bounce there for ever, showing the end colour: it comes
        // onto the scale first, at the end position of its own parity, heading inward.
        const bool odd = (position & 1) != 0;
        program.EggStep = position < 0 ? 2 : -2;
        position = position < 0 ? (odd ? 1 : 0) : (odd ? 99 : 100);
    } else {
        position = TruncateToInt(static_cast<double>(position) + program.EggStep);
    }
    if (position > 100 || position < 0) {
        program.EggStep = TruncateToInt(program.EggStep * -1.0);
        position = TruncateToInt(static_cast<double>(position) + 2.0 * program.EggStep);
    }
    ColourContext colour = program.Colour();
    SetScaleColour(colour, position, EggMode::On);
}

} // namespace korvane
