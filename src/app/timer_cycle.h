#pragma once
// The timer 时钟1: a weather refresh every fourth tick, or one easter-egg step per tick.
#include "app/program.h"

namespace korvane {

inline constexpr int kEggPeriodMilliseconds = 50;

void OnTimerTick(Program& program);
void ToggleEggMode(Program& program);
void EggTick(Program& program);

} // namespace korvane
