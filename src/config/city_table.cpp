#include "config/city_table.h"

#include <cstddef>

namespace korvane {
namespace {

// Entry `position` (from 1) of a comma-separated list; empty when the list has no such entry.
std::string_view EntryAt(std::string_view list, int position) {
    if (position < 1 || position > kCityCount) return {};
    for (int current = 1;; ++current) {
        const std::size_t comma = list.find(',');
        if (current == position) return list.substr(0, comma);
        if (comma == std::string_view::npos) return {};
        list.remove_prefix(comma + 1);
    }
}

} // namespace

std::string_view CityNameAt(int position) {
    return EntryAt(kCityNameList, position);
}

std::string_view StationCodeAt(int position) {
    return EntryAt(kStationCodeList, position);
}

int PositionOfStationCode(std::string_view code) {
    if (code.empty()) return 0;
    std::string_view rest = kStationCodeList;
    for (int position = 1; position <= kCityCount; ++position) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == code) return position;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return 0;
}

} // namespace korvane
