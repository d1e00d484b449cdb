// Carrying 96-DPI geometry to other display scales.
#include "ui/display_scale.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane::ui {
namespace {

struct ScaleRow {
    int value, dpi, expected;
};

TEST(ScaleToDpi, RoundsAsMulDivDoes) {
    constexpr int kMax = std::numeric_limits<int>::max();
    const ScaleRow rows[] = {
        {229, 96, 229},    {174, 96, 174}, // 96 DPI changes nothing
        {229, 120, 286},                   // 286.25 rounds down
        {174, 120, 218},                   // 217.5: a half rounds up
        {229, 144, 344},                   // 343.5
        {174, 144, 261},   {229, 192, 458},
        {160, 144, 240},   {5, 120, 6}, // 6.25
        {5, 144, 8},                    // 7.5
        {-5, 144, -8},                  // halves round away from zero, as MulDiv does
        {-229, 120, -286}, {0, 192, 0},
        {17, 0, 17},       {17, -96, 17},           // no DPI: unchanged
        {kMax, 192, kMax}, {-kMax, 192, -kMax - 1}, // clamped, never wrapped
    };
    for (const ScaleRow& row : rows)
        EXPECT_EQ(ScaleToDpi(row.value, row.dpi), row.expected)
            << row.value << " at " << row.dpi << " DPI";
}

TEST(ScaleToDpi, ScalesEveryPartOfARectangleOnItsOwn) {
    EXPECT_EQ(ScaleToDpi(PixelRect{17, 14, 56, 16}, 120), (PixelRect{21, 18, 70, 20}));
    EXPECT_EQ(ScaleToDpi(PixelRect{147, 100, 56, 32}, 144), (PixelRect{221, 150, 84, 48}));
}

} // namespace
} // namespace korvane::ui
