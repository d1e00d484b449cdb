#include "text/number.h"

#include "text/gbk.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <string>

namespace korvane {
namespace {

// Full-width digits, signs and point (A3 A1..A3 FE) become their ASCII forms, the ideographic space
// (A1 A1) a blank; other double-byte characters are kept whole so no second byte is misread.
std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!text::IsLeadByte(text[i]) || i + 1 == text.size()) {
            folded.push_back(text[i]);
            ++i;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded.push_back(' ');
        } else {
            folded.append(text.substr(i, 2));
        }
        i += 2;
    }
    return folded;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading decimal number of a text, taken apart. Parsing it ourselves keeps hexadecimal
// forms and words such as "inf" out, whatever a library reader would accept.
struct DecimalNumber {
    bool negative = false;
    std::string digits;          // mantissa digits without the point
    std::int64_t pointShift = 0; // decimal exponent adjustment from the digits after the point
    std::int64_t exponent = 0;   // written exponent, saturated far beyond any double's range
    bool found = false;
};

constexpr std::int64_t kExponentLimit = 1'000'000'000'000;

DecimalNumber ReadLeadingNumber(std::string_view s) {
    DecimalNumber number;
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.negative = s[i++] == '-';
    bool anyDigit = false;
    while (i < s.size() && IsDigit(s[i])) {
        number.digits.push_back(s[i++]);
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            number.digits.push_back(s[i++]);
            --number.pointShift;
            anyDigit = true;
        }
    }
    if (!anyDigit) return number;
    number.found = true;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) negativeExponent = s[j++] == '-';
        if (j < s.size() && IsDigit(s[j])) {
            std::int64_t exponent = 0;
            for (; j < s.size() && IsDigit(s[j]); ++j) {
                if (exponent < kExponentLimit) exponent = exponent * 10 + (s[j] - '0');
            }
            number.exponent = negativeExponent ? -exponent : exponent;
        }
    }
    return number;
}

double ToDouble(const DecimalNumber& number) {
    const std::size_t firstSignificant = number.digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) return number.negative ? -0.0 : 0.0;
    const std::string significant = number.digits.substr(firstSignificant);
    const std::int64_t scale = number.pointShift + number.exponent;
    // Decimal magnitude of the leading digit; far outside a double's range the answer is known.
    const std::int64_t magnitude = static_cast<std::int64_t>(significant.size()) - 1 + scale;
    const double sign = number.negative ? -1.0 : 1.0;
    if (magnitude > 400) return sign * std::numeric_limits<double>::infinity();
    if (magnitude < -400) return sign * 0.0;

    // Only digits and an exponent reach the C library's reader, so neither the locale's decimal
    // point nor its hexadecimal and "inf" forms can come into play; it overflows to infinity.
    const std::string plain = significant + "e" + std::to_string(scale);
    return sign * std::strtod(plain.c_str(), nullptr);
}

} // namespace

double TextToNumber(std::string_view text) {
    return LeadingNumber(text).value_or(0.0);
}

std::optional<double> LeadingNumber(std::string_view text) {
    const DecimalNumber number = ReadLeadingNumber(FoldFullWidth(text));
    if (!number.found) return std::nullopt;
    return ToDouble(number);
}

std::int32_t TruncateToInt(double value) {
    // The x87 store gives the "integer indefinite" 0x8000000000000000 for NaN and for anything
    // outside the 64-bit range; its low 32 bits are 0.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (std::isnan(value) || value >= kTwoTo63 || value < -kTwoTo63) return 0;
    const auto whole = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}

} // namespace korvane
