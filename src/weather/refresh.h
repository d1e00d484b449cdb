#pragma once
// One weather refresh: request, decode, parse. Every outcome, failure included, ends in the
// status line.
#include "platform/code_page.h"
#include "platform/internet.h"
#include "weather/current_conditions.h"

#include <string>
#include <string_view>

namespace korvane {

struct RefreshContext {
    WeatherContext weather;
    platform::Internet& internet;
    platform::InternetHandle& session;
    platform::CodePage& codePage;
};

// The address of the current-conditions document of a station: used unchanged, even when empty.
std::string WeatherRequestUrl(std::string_view stationCode);

void RefreshWeather(RefreshContext& context);

} // namespace korvane
