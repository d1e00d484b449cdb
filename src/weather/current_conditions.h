#pragma once
// The last step of a refresh: temperature and wind out of the decoded document, the status line,
// the scale position and the tray tip.
#include "colour/transition.h"
#include "ui/window_system.h"

#include <string>
#include <string_view>

namespace korvane {

struct WeatherState {
    int CurrentTemperature = 0;
    std::string StatusText;
};

struct WeatherContext {
    WeatherState& state;
    ColourContext colour;
};

void ParseCurrentConditions(WeatherContext& context, std::string_view text);

// The value of key K: from the key's first occurrence + `offset` up to the next double quote.
// Empty when the key is absent or no quote follows.
std::string KeyValue(std::string_view text, std::string_view key, int offset);

// (temperature - min) * 100 / (max - min), truncated toward zero, unclamped; 0 for equal bounds.
int ScalePosition(int temperature, int minTemperature, int maxTemperature);

} // namespace korvane
