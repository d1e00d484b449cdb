#include "weather/current_conditions.h"

#include "text/number.h"
#include "text/search.h"

#include <string>

namespace korvane {
namespace {

// The value of key K: from the key's first occurrence + the length of K and three (the closing
// quote of the key, the colon, the opening quote of the value) up to the next double quote; empty
// when no quote follows; nothing when the key does not occur.
std::optional<std::string> KeyValue(std::string_view text, std::string_view key) {
    const int keyAt = text::Find(text, key);
    if (keyAt == text::kNotFound) return std::nullopt;
    const int valueAt = keyAt + static_cast<int>(key.size()) + 3;
    const int quoteAt = text::Find(text, "\"", valueAt);
    if (quoteAt == text::kNotFound) return std::string();
    return std::string(text.substr(static_cast<std::size_t>(valueAt - 1),
                                   static_cast<std::size_t>(quoteAt - valueAt)));
}

} // namespace

std::optional<Reading> ParseCurrentConditions(std::string_view text) {
    const std::optional<std::string> temperature = KeyValue(text, "temp");
    if (!temperature) return std::nullopt;
    // A missing wind field contributes nothing.
    return Reading{TruncateToInt(TextToNumber(*temperature)), KeyValue(text, "WD").value_or(""),
                   KeyValue(text, "WS").value_or("")};
}

} // namespace korvane
