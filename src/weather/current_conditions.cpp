#include "weather/current_conditions.h"

#include "text/number.h"
#include "text/search.h"

#include <string>

namespace korvane {
namespace {

// The value of a key given in its quoted form ("key":"): from right after it up to the next
// double quote; empty when no quote follows; nothing when the key does not occur.
std::optional<std::string> KeyValue(std::string_view text, std::string_view quotedKey,
                                    bool* closed = nullptr) {
    const int keyAt = text::Find(text, quotedKey);
    if (keyAt == text::kNotFound) return std::nullopt;
    const int valueAt = keyAt + static_cast<int>(quotedKey.size());
    const int quoteAt = text::Find(text, "\"", valueAt);
    if (closed) *closed = quoteAt != text::kNotFound;
    if (quoteAt == text::kNotFound) return std::string();
    return std::string(text.substr(static_cast<std::size_t>(valueAt - 1),
                                   static_cast<std::size_t>(quoteAt - valueAt)));
}

} // namespace

std::optional<Reading> ParseCurrentConditions(std::string_view text) {
    bool closed = false;
    const std::optional<std::string> temperature = KeyValue(text, R"("temp":")", &closed);
    if (!temperature || !closed) return std::nullopt;
    // A placeholder ("暂无", "-", "N/A", an empty value) is the service saying it has no reading,
    // not a temperature of 0 degrees.
    const std::optional<double> degrees = LeadingNumber(*temperature);
    if (!degrees) return std::nullopt;
    // A missing wind field contributes nothing.
    return Reading{TruncateToInt(*degrees), KeyValue(text, R"("WD":")").value_or(""),
                   KeyValue(text, R"("WS":")").value_or("")};
}

} // namespace korvane
