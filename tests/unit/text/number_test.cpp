#include "support/gbk.h"
#include "text/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace korvane {
namespace {

using korvane::testing::Gbk;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct NumberCase {
    std::string text;
    double expected;
};

TEST(TextToNumber, ReadsTheLongestLeadingDecimalNumberAndZeroWhenThereIsNone) {
    const NumberCase cases[] = {
        {"40", 40.0},
        {"35.9", 35.9},
        {"-5.5", -5.5},
        {"+7", 7.0},
        {"40a", 40.0},
        {"1.2.3", 1.2},
        {"  1 2", 1.0},
        {" \t\n\v\f\r12", 12.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"007", 7.0},
        {"0.0001", 0.0001},
        {"1e3", 1000.0},
        {"1E+3", 1000.0},
        {"1d3", 1000.0},
        {"25D-2", 0.25},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1ex", 1.0},
        {"1e999", kInfinity},
        {"-1e999", -kInfinity},
        {"1e99999999999999999999999", kInfinity},
        {"0e99999999999999999999999", 0.0},
        {"1e-999", 0.0},
        {"abc", 0.0},
        {"", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"- 5", 0.0},
        {"e5", 0.0},
        {"0x1A", 0.0},
        {"inf", 0.0},
        {"-infinity", 0.0},
        {"nan", 0.0},
        {std::string("12\0"
                     "3",
                     4),
         12.0},
        // Full-width forms: the two-byte digits, sign and point read as ASCII.
        {Gbk("３５"), 35.0},
        {Gbk("－５．５"), -5.5},
        {Gbk("　１２"), 12.0},
        {Gbk("４") + "2", 42.0},
        // Other double-byte characters stay whole: a second byte that looks like a digit is none.
        {"\xB0"
         "1",
         0.0},
        {"\xA3\xA0"
         "5",
         0.0},
        {Gbk("度") + "5", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

struct TruncationCase {
    double value;
    std::int32_t expected;
};

TEST(TruncateToInt, CutsTowardZeroThroughSixtyFourBitsAndKeepsTheLowThirtyTwo) {
    const TruncationCase cases[] = {
        {35.9, 35},
        {-5.5, -5},
        {20.4, 20},
        {-2.5, -2},
        {0.0, 0},
        {-0.0, 0},
        {1e-300, 0},
        {2147483647.9, 2147483647},
        {2147483648.0, std::numeric_limits<std::int32_t>::min()},
        {-2147483649.0, 2147483647},
        {4294967297.0, 1},
        {-4294967297.0, -1},
        {12884901895.0, 7},
        {9223372036854774784.0, -1024}, // largest double below 2^63: 0x7FFFFFFFFFFFFC00
        {9223372036854775808.0, 0},     // 2^63: outside, integer indefinite
        {-9223372036854775808.0, 0},
        {9.3e18, 0},
        {-9.3e18, 0},
        {1e300, 0},
        {kInfinity, 0},
        {-kInfinity, 0},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TruncateToInt(c.value), c.expected) << c.value;
    }
}

} // namespace
} // namespace korvane
