#include "config/city_table.h"

#include "text/search.h"

#include <array>
#include <cstddef>

namespace korvane {
namespace {

using Entries = std::array<std::string_view, kCityCount>;

// The entries of a comma-separated list in order; entries the list lacks stay empty.
Entries Split(std::string_view list) {
    Entries entries{};
    for (std::string_view& entry : entries) {
        const std::size_t comma = list.find(',');
        entry = list.substr(0, comma);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return entries;
}

// Both lists are split once, as the program starts: filling the city box asks for every entry in
// turn. Not a function-local static: its guard would link the C++ library's exception machinery
// into the executable.
struct CityIndex {
    Entries names = Split(kCityNameList);
    Entries codes = Split(kStationCodeList);
};

const CityIndex kIndex;

const CityIndex& Index() {
    return kIndex;
}

// Entry `position` (from 1); empty outside 1 to 734.
std::string_view EntryAt(const Entries& entries, int position) {
    if (position < 1 || position > kCityCount) return {};
    return entries[static_cast<std::size_t>(position - 1)];
}

} // namespace

std::span<const std::string_view, kCityCount> CityNames() {
    return Index().names;
}

std::string_view CityNameAt(int position) {
    return EntryAt(Index().names, position);
}

std::string_view StationCodeAt(int position) {
    return EntryAt(Index().codes, position);
}

int PositionOfStationCode(std::string_view code) {
    if (code.empty()) return 0;
    const Entries& codes = Index().codes;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code) return static_cast<int>(i) + 1;
    return 0;
}

int FirstCityBeginningWith(std::string_view typed) {
    if (typed.empty()) return 0;
    const Entries& names = Index().names;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (text::StartsWithIgnoringCase(names[i], typed)) return static_cast<int>(i) + 1;
    return 0;
}

} // namespace korvane
