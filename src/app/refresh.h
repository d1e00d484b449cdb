#pragma once
// One weather refresh: which document to ask, the fetch off the window thread, and the reading
// applied on the window thread when it comes back (status, colour, tip, in that order).
#include "app/program.h"
#include "weather/current_conditions.h"

#include <optional>

namespace korvane {

// Plans the refresh and starts its fetch; a kept live reading is applied at once. While a fetch
// is out, a refresh starts none.
void RefreshWeather(Program& program);
// The job-done event: the fetch's reading, unless it was given up or its station is no longer
// the configured one.
void OnFetchDone(Program& program);
// On every tick: a fetch past its deadline is given up and counts as no reading.
void CheckFetchDeadline(Program& program);
// A reading sets CurrentTemperature, the status line, the colour and, unless the configuration
// window is shown, the tray tip; no reading only sets the status "联网等待…".
void ApplyReading(Program& program, const std::optional<Reading>& reading);

} // namespace korvane
