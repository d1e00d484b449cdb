#pragma once
// The colour ramp: temperature -> scale position -> colour value, colour text, composition colour.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// (temperature - min) * 100 / (max - min), truncated toward zero, unclamped; 0 for equal bounds.
int ScalePosition(int temperature, int minTemperature, int maxTemperature);
// Six upper-case hexadecimal digits of the colour value (pairs read blue, green, red).
std::string ScaleColourText(double position);
// A hexadecimal text with or without the "0x" prefix, as a 32-bit number.
std::uint32_t HexTextToNumber(std::string_view text);
// 0x60 in the top byte, the colour value below.
std::uint32_t CompositionColour(double position);
// The colour value alone (red in the low byte).
std::uint32_t ScaleColourValue(double position);

} // namespace korvane
