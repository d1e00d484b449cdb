#include "weather/current_conditions.h"

#include "config/text_search.h"
#include "config/text_to_number.h"

#include <string>

namespace korvane {
namespace {

constexpr std::string_view kCurrent = "\xB5\xB1\xC7\xB0 "; // "当前 "
constexpr std::string_view kCelsius = "\xA1\xE6 ";         // "℃ "

} // namespace

std::string KeyValue(std::string_view text, std::string_view key, int offset) {
    const int keyAt = text::Find(text, key);
    if (keyAt == text::kNotFound) return {}; // a missing field contributes nothing
    const int valueAt = keyAt + offset;
    const int quoteAt = text::Find(text, "\"", valueAt);
    if (quoteAt == text::kNotFound || quoteAt <= valueAt) return {};
    const auto start = static_cast<std::size_t>(valueAt - 1);
    return std::string(text.substr(start, static_cast<std::size_t>(quoteAt - valueAt)));
}

int ScalePosition(int temperature, int minTemperature, int maxTemperature) {
    if (maxTemperature == minTemperature) return 0;
    const double span = static_cast<double>(maxTemperature) - static_cast<double>(minTemperature);
    const double offset = static_cast<double>(temperature) - static_cast<double>(minTemperature);
    return TruncateToInt(offset * 100.0 / span);
}

void ParseCurrentConditions(WeatherContext& context, std::string_view text) {
    WeatherState& state = context.state;
    if (text::Find(text, "temp") == text::kNotFound) {
        state.StatusText = kWaitingForNetwork;
        return;
    }
    state.CurrentTemperature = TruncateToInt(TextToNumber(KeyValue(text, "temp", 7)));
    const std::string wind = KeyValue(text, "WD", 5) + KeyValue(text, "WS", 5);

    std::string status;
    status.reserve(kCurrent.size() + 12 + kCelsius.size() + wind.size() + 2);
    status += kCurrent;
    status += std::to_string(state.CurrentTemperature);
    status += kCelsius;
    status += wind;
    status += "\r\n";
    state.StatusText = std::move(status);

    const Settings& settings = context.colour.settings;
    SetScaleColour(
        context.colour,
        ScalePosition(state.CurrentTemperature, settings.MinTemperature, settings.MaxTemperature),
        0);

    ui::WindowSystem& ui = context.colour.ui;
    if (!ui.IsVisible(ui::WindowId::Config)) ui.SetTrayIcon(state.StatusText);
}

} // namespace korvane
