#include "config/settings.h"

#include "text/number.h"
#include "text/search.h"

#include <cstddef>

namespace korvane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The text after `key` up to the next line break; empty when the key is missing or no line
// break follows it (every key is searched from the start of the file).
std::string_view ValueBeforeLineBreak(std::string_view text, std::string_view key) {
    const int keyAt = text::Find(text, key);
    if (keyAt == text::kNotFound) return {};
    const int breakAt = text::Find(text, kLineBreak, keyAt + 1);
    const auto valueStart = static_cast<std::size_t>(keyAt - 1) + key.size();
    if (breakAt == text::kNotFound || static_cast<std::size_t>(breakAt - 1) < valueStart) return {};
    return text.substr(valueStart, static_cast<std::size_t>(breakAt - 1) - valueStart);
}

// The text after `key` to the end of the file, line breaks included.
std::string_view ValueToEnd(std::string_view text, std::string_view key) {
    const int keyAt = text::Find(text, key);
    if (keyAt == text::kNotFound) return {};
    return text.substr(static_cast<std::size_t>(keyAt - 1) + key.size());
}

std::int32_t WholeNumber(std::string_view valueText) {
    return TruncateToInt(TextToNumber(valueText));
}

} // namespace

bool LoadSettings(platform::Files& files, Settings& settings) {
    if (!files.Exists(kConfigFileName)) return false;

    std::string bytes;
    if (!files.ReadAll(kConfigFileName, bytes)) bytes.clear(); // unreadable counts as empty
    std::string_view text = bytes;
    text = text.substr(0, text.find('\0'));

    settings.CityId = std::string(ValueBeforeLineBreak(text, "CityId="));
    settings.MaxTemperature = WholeNumber(ValueBeforeLineBreak(text, "MaxTemperature="));
    settings.MinTemperature = WholeNumber(ValueBeforeLineBreak(text, "MinTemperature="));
    settings.Opaque = WholeNumber(ValueToEnd(text, "Opaque="));
    return !settings.CityId.empty();
}

std::string SettingsFileText(std::string_view cityId, std::string_view maxTemperature,
                             std::string_view minTemperature, std::string_view opaque) {
    std::string text;
    text.append("CityId=").append(cityId);
    text.append("\r\nMaxTemperature=").append(maxTemperature);
    text.append("\r\nMinTemperature=").append(minTemperature);
    text.append("\r\nOpaque=").append(opaque);
    return text;
}

platform::ReplaceResult SaveSettings(platform::Files& files, std::string_view cityId,
                                     std::string_view maxTemperature,
                                     std::string_view minTemperature, std::string_view opaque) {
    // Replacing the file whole means a failed write never leaves a half-written configuration.
    return files.ReplaceWhole(kConfigFileName,
                              SettingsFileText(cityId, maxTemperature, minTemperature, opaque));
}

} // namespace korvane
