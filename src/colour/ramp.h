#pragma once
// The colour ramp: scale position -> colour value, colour text and composition colour.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// Six upper-case hexadecimal digits of the colour value (pairs read blue, green, red).
std::string ScaleColourText(double position);
// A hexadecimal text with or without the "0x" prefix, as a 32-bit number.
std::uint32_t HexTextToNumber(std::string_view text);
// 0x60 in the top byte, the colour value below.
std::uint32_t CompositionColour(double position);
// The colour value alone (red in the low byte).
std::uint32_t ScaleColourValue(double position);

} // namespace korvane
