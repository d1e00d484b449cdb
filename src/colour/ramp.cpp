#include "colour/ramp.h"

#include "text/number.h"

namespace korvane {
namespace {

// A channel: truncated toward zero like every real-to-integer conversion, low eight bits kept.
std::uint32_t Channel(double value) {
    return static_cast<std::uint32_t>(TruncateToInt(value)) & 0xFFu;
}

struct Rgb {
    std::uint32_t red, green, blue;
};

// w falls from 98 (cold) to 3 (hot); each segment keeps the written order of operations so the
// results match the program's colours to the last bit.
Rgb RampColour(double w) {
    if (Above(w, 75)) return {255, Channel(255 - ((w - 75) * 255) / 25), 0};
    if (Above(w, 50)) return {Channel(((w - 50) * 255) / 25), 255, 0};
    if (Above(w, 25)) return {0, 255, Channel(255 - ((w - 25) * 255) / 25)};
    return {0, Channel((w * 255) / 25), 255};
}

// The digits of "%X", which the colour text is written in and read back from.
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

} // namespace

int ScalePosition(int temperature, int minTemperature, int maxTemperature) {
    if (maxTemperature == minTemperature) return 0;
    const double span = static_cast<double>(maxTemperature) - static_cast<double>(minTemperature);
    const double offset = static_cast<double>(temperature) - static_cast<double>(minTemperature);
    return TruncateToInt(offset * 100.0 / span);
}

std::string ScaleColourText(double position) {
    double v = position;
    if (Below(v, 0)) v = 0;
    if (Above(v, 100)) v = 100;
    const double x = v * 0.95;
    const double t = (x - 49) * -1;
    const double w = t + 49;

    const Rgb colour = RampColour(w);
    const std::uint32_t value = colour.red + colour.green * 256 + colour.blue * 65536;
    // "%X" of a value below 2^24, padded with zeros to six digits.
    std::string text(6, '0');
    for (std::size_t i = 0; i < 6; ++i)
        text[5 - i] = kHexDigits[(value >> (4 * i)) & 0xF];
    return text;
}

std::uint32_t HexTextToNumber(std::string_view text) {
    // Only a lower-case "0x" counts as the prefix; anything else gets one put in front, so "0X1F"
    // reads as "0x0X1F", which is 0. Digits are read up to the first byte that is none; more than
    // eight of them keep the low 32 bits.
    std::string_view digits = text;
    if (digits.substr(0, 2) == "0x") digits.remove_prefix(2);
    std::uint32_t number = 0;
    for (const char c : digits) {
        const std::size_t digit = kHexDigits.find(c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c);
        if (digit == std::string_view::npos) break;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

std::uint32_t CompositionColour(double position) {
    return HexTextToNumber("60" + ScaleColourText(position));
}

std::uint32_t ScaleColourValue(double position) {
    return HexTextToNumber(ScaleColourText(position));
}

} // namespace korvane
