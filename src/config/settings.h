#pragma once
// "config.ini" and the program-wide Settings record it fills.
#include "platform/files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::u16string_view kConfigFileName = u"config.ini";

struct Settings {
    std::string CityId;
    std::int32_t MaxTemperature = 0;
    std::int32_t MinTemperature = 0;
    std::int32_t Opaque = 0;
};

// Without the file: false and `settings` untouched. Otherwise all four fields are replaced and
// the answer is whether CityId is non-empty.
bool LoadSettings(platform::Files& files, Settings& settings);

// Writes the four texts exactly as passed, replacing the file as a whole; on any failure the old
// file is left as it was, and the answer says whether it was read-only.
platform::ReplaceResult SaveSettings(platform::Files& files, std::string_view cityId,
                                     std::string_view maxTemperature,
                                     std::string_view minTemperature, std::string_view opaque);

// The bytes SaveSettings writes.
std::string SettingsFileText(std::string_view cityId, std::string_view maxTemperature,
                             std::string_view minTemperature, std::string_view opaque);

} // namespace korvane
