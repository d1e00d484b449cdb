#pragma once
// The timer 时钟1: a weather refresh every fourth tick, or one easter-egg step per tick.
#include "app/program.h"
#include "weather/current_conditions.h"

#include <optional>

namespace korvane {

inline constexpr int kEggPeriodMilliseconds = 50;

void OnTimerTick(Program& program);
// One refresh: a reading from the program's source, applied.
void RefreshWeather(Program& program);
// A reading sets CurrentTemperature, the status line, the colour and, unless the configuration
// window is shown, the tray tip; no reading only sets the status "联网等待…".
void ApplyReading(Program& program, const std::optional<Reading>& reading);
void ToggleEggMode(Program& program);
void EggTick(Program& program);

} // namespace korvane
