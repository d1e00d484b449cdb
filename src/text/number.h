#pragma once
// The one text-to-number rule of the program, and how its reals are compared and made whole.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

// Folds full-width forms (A3 xx -> xx - 0x80, A1 A1 -> blank), then reads the longest leading
// decimal number (white space, sign, digits, point, exponent e/E/d/D); 0 when there is none.
double TextToNumber(std::string_view text);
// The same reading, but nothing when the text does not begin with a number.
std::optional<double> LeadingNumber(std::string_view text);

// Truncation toward zero through a 64-bit integer whose low 32 bits are used. A value outside the
// 64-bit range (or not a number) gives the x87 "integer indefinite" 0x8000000000000000, low bits 0.
std::int32_t TruncateToInt(double value);

// The program's own comparisons of reals allow this tolerance.
inline constexpr double kTolerance = 1e-7;
inline bool Above(double a, double b) {
    return a - b > kTolerance;
}
inline bool Below(double a, double b) {
    return a - b < -kTolerance;
}
inline bool Equal(double a, double b) {
    return std::fabs(a - b) <= kTolerance;
}

} // namespace korvane
