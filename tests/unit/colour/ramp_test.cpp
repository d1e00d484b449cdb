#include "colour/ramp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace korvane {
namespace {

struct RampCase {
    double position;
    std::uint32_t red, green, blue;
    const char* colourText;
    std::uint32_t compositionColour;
};

TEST(ScalePosition, TruncatesTowardZeroWithoutClamping) {
    EXPECT_EQ(ScalePosition(9, 0, 30), 30);
    EXPECT_EQ(ScalePosition(-11, -10, 20), -3);
    EXPECT_EQ(ScalePosition(41, 0, 40), 102);
    EXPECT_EQ(ScalePosition(5, 5, 5), 0);
    EXPECT_EQ(ScalePosition(-1000, 0, 40), -2500);
    EXPECT_EQ(ScalePosition(1000000000, 0, 40), -1794967296) << "low 32 bits of 2500000000";
}

TEST(ColourRamp, TurnsEachScalePositionIntoTheColourOfItsSegment) {
    const RampCase cases[] = {
        {-1000, 255, 20, 0, "0014FF", 0x600014FF},
        {-1, 255, 20, 0, "0014FF", 0x600014FF},
        {0, 255, 20, 0, "0014FF", 0x600014FF},
        {1, 255, 30, 0, "001EFF", 0x60001EFF},
        {24, 255, 252, 0, "00FCFF", 0x6000FCFF},
        {25, 247, 255, 0, "00FFF7", 0x6000FFF7},
        {40, 102, 255, 0, "00FF66", 0x6000FF66},
        {50, 5, 255, 0, "00FF05", 0x6000FF05},
        {51, 0, 255, 4, "04FF00", 0x6004FF00},
        {52, 0, 255, 14, "0EFF00", 0x600EFF00},
        {60, 0, 255, 91, "5BFF00", 0x605BFF00},
        {76, 0, 255, 246, "F6FF00", 0x60F6FF00},
        {77, 0, 253, 255, "FFFD00", 0x60FFFD00},
        {90, 0, 127, 255, "FF7F00", 0x60FF7F00},
        {100, 0, 30, 255, "FF1E00", 0x60FF1E00},
        {102, 0, 30, 255, "FF1E00", 0x60FF1E00},
        {1e300, 0, 30, 255, "FF1E00", 0x60FF1E00},
        {-std::numeric_limits<double>::infinity(), 255, 20, 0, "0014FF", 0x600014FF},
        {std::numeric_limits<double>::infinity(), 0, 30, 255, "FF1E00", 0x60FF1E00},
    };
    for (const auto& c : cases) {
        const std::uint32_t value = c.red | c.green << 8 | c.blue << 16;
        EXPECT_EQ(ScaleColourText(c.position), c.colourText) << c.position;
        EXPECT_EQ(ScaleColourValue(c.position), value) << c.position;
        EXPECT_EQ(CompositionColour(c.position), c.compositionColour) << c.position;
    }
}

TEST(ColourRamp, StaysSixUpperCaseDigitsAndMovesSmoothlyOverEveryPosition) {
    std::uint32_t previous = ScaleColourValue(0);
    for (int position = 0; position <= 100; ++position) {
        const std::string text = ScaleColourText(position);
        ASSERT_EQ(text.size(), 6u) << position;
        EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos) << position;
        const std::uint32_t value = ScaleColourValue(position);
        EXPECT_EQ(CompositionColour(position), 0x60000000u | value) << position;
        // One scale step moves w by 0.95, i.e. a channel by at most 255 * 0.95 / 25 < 10.
        for (int shift = 0; shift <= 16; shift += 8) {
            const int now = static_cast<int>((value >> shift) & 0xFF);
            const int before = static_cast<int>((previous >> shift) & 0xFF);
            EXPECT_LE(std::abs(now - before), 10) << position << " channel " << shift / 8;
        }
        previous = value;
    }
}

TEST(ColourRamp, GivesADefinedColourForAPositionThatIsNotANumber) {
    // NaN passes every tolerance test as false and lands in the last segment with green 0.
    EXPECT_EQ(ScaleColourText(std::nan("")), "FF0000");
}

struct HexCase {
    std::string text;
    std::uint32_t expected;
};

TEST(HexTextToNumber, ReadsHexadecimalDigitsWithOrWithoutTheLowerCasePrefix) {
    const HexCase cases[] = {
        {"0x00FF66", 65382},
        {"00FF66", 65382},
        {"600014FF", 0x600014FF},
        {"0x600014FF", 0x600014FF},
        {"FFFFFFFF", 0xFFFFFFFF},
        {"ff", 255},
        {"0xabcdef", 0xABCDEF},
        {"7", 7},
        {"", 0},
        {"0x", 0},
        {"0", 0},
        {"x", 0},
        {"0x0x12", 0},             // a text that has its prefix gets no second one
        {"0X1F", 0},               // only "0x" is the prefix: this reads as 0x0X1F
        {"12G4", 0x12},            // digits end at the first byte that is none
        {" 1", 0},                 // no white space is skipped
        {"-1", 0},                 // nor a sign
        {"123456789", 0x23456789}, // more than eight digits keep the low 32 bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexTextToNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace korvane
