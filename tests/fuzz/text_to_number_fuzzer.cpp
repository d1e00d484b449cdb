// TextToNumber and TruncateToInt on arbitrary bytes, checked against the C library where the two
// rules agree (plain ASCII without hexadecimal forms, words or the exponent letter d).
//
// Input: the text's bytes.
#include "support/check.h"
#include "text/number.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace korvane::fuzz {
namespace {

// Bytes that the C library reads differently: hexadecimal and infinity/nan forms, the d exponent.
bool LibraryReadsTheSame(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || byte >= 0x80) return false;
        if (std::string_view("xXiInNdDpP").find(c) != std::string_view::npos) return false;
    }
    return true;
}

// Truncation toward zero through a 64-bit integer whose low 32 bits are kept.
std::int32_t ReferenceTruncation(double value) {
    if (std::isnan(value) || std::fabs(value) >= 9223372036854775808.0) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(value)));
}

} // namespace
} // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;

    const std::string text(reinterpret_cast<const char*>(data), size);
    const double number = TextToNumber(text);
    Require(!std::isnan(number), "never NaN");
    Require(TextToNumber(text + "x") == number, "a letter after the text changes nothing");

    if (LibraryReadsTheSame(text)) {
        const double library = std::strtod(text.c_str(), nullptr);
        // Subnormal results may differ in their last bits between readers.
        Require(number == library || (std::fabs(library) < DBL_MIN && std::fabs(number) < DBL_MIN),
                "agrees with strtod on plain decimal text");
    }

    const std::int32_t whole = TruncateToInt(number);
    Require(whole == ReferenceTruncation(number), "truncates toward zero, low 32 bits");
    if (std::fabs(number) < 2147483648.0)
        Require(whole == static_cast<std::int32_t>(std::trunc(number)), "in range: plain trunc");
    return 0;
}
