#pragma once
// The 734 built-in cities: parallel lists of station codes (ASCII) and names (GBK).
#include <span>
#include <string_view>

namespace korvane {

inline constexpr int kCityCount = 734;

// The two comma-separated lists as the program carries them (generated from cities.tsv).
extern const std::string_view kStationCodeList; // 7,339 bytes
extern const std::string_view kCityNameList;    // 4,275 bytes

// The names in table order (position 1 first).
std::span<const std::string_view, kCityCount> CityNames();
std::string_view CityNameAt(int position);    // position 1 to 734
std::string_view StationCodeAt(int position); // position 1 to 734
// First position whose code equals `code` exactly; 0 when there is none (never for "").
int PositionOfStationCode(std::string_view code);
// The city a typed text names: the first position whose name begins with it (ASCII letter case
// ignored); 0 when there is none. The empty text names no city.
int FirstCityBeginningWith(std::string_view typed);

} // namespace korvane
