#include "weather/current_conditions.h"

#include "text/number.h"
#include "text/search.h"
#include "text/texts.h"

#include <string>

namespace korvane {

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
        state.StatusText = texts::kWaitingForNetwork;
        return;
    }
    state.CurrentTemperature = TruncateToInt(TextToNumber(KeyValue(text, "temp", 7)));
    const std::string wind = KeyValue(text, "WD", 5) + KeyValue(text, "WS", 5);

    std::string status;
    status.reserve(texts::kCurrent.size() + 12 + texts::kCelsiusAndBlank.size() + wind.size() + 2);
    status += texts::kCurrent;
    status += std::to_string(state.CurrentTemperature);
    status += texts::kCelsiusAndBlank;
    status += wind;
    status += "\r\n";
    state.StatusText = std::move(status);

    const Settings& settings = context.colour.settings;
    SetScaleColour(
        context.colour,
        ScalePosition(state.CurrentTemperature, settings.MinTemperature, settings.MaxTemperature),
        EggMode::Off);

    ui::WindowSystem& ui = context.colour.ui;
    if (!ui.IsVisible(ui::WindowId::Config)) ui.SetTrayIcon(state.StatusText);
}

} // namespace korvane
