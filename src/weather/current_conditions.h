#pragma once
// Temperature and wind out of the decoded current-conditions document.
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

struct Reading {
    int Temperature = 0;       // whole degrees Celsius, truncated toward zero
    std::string WindDirection; // the "WD" value, empty when the document has none
    std::string WindForce;     // the "WS" value, empty when the document has none
};

// A reading exists only where the document holds the quoted key "temp":" with a value that begins
// with a number and ends with its closing quote; an error or login page, an empty object or a
// placeholder value is no reading, even when it mentions "temp" in passing.
std::optional<Reading> ParseCurrentConditions(std::string_view text);

} // namespace korvane
