// Stepped colour changes: direct and stepped cases, the waits, re-entrancy and the easter egg.
#include "colour/ramp.h"
#include "colour/transition.h"
#include "support/program_fixture.h"

namespace korvane::testing {
namespace {

class TransitionTest : public ProgramTest {
  protected:
    void SetUp() override {
        StartConfigured();
        ui.SetTimerPeriod(1000);
        applyTimes_.clear();
    }
    void Apply(int target, EggMode mode = EggMode::Off) {
        ColourContext colour = program.Colour();
        SetScaleColour(colour, target, mode);
    }
    std::vector<std::uint32_t> ColoursOf(std::initializer_list<int> positions) {
        std::vector<std::uint32_t> colours;
        for (int p : positions)
            colours.push_back(CompositionColour(p));
        return colours;
    }
    std::vector<std::uint32_t> applyTimes_;
};

TEST_F(TransitionTest, FirstColour_IsAppliedAtOnceWithoutWaiting) {
    const std::uint32_t start = ui.TickCount();
    const std::size_t writes = ui.timerPeriodWrites().size();
    Apply(40);
    EXPECT_EQ(Colours(), ColoursOf({40}));
    EXPECT_EQ(ui.TickCount(), start);
    EXPECT_EQ(program.colour.CurrentScalePosition, 40);
    EXPECT_EQ(
        std::vector<int>(ui.timerPeriodWrites().begin() + writes, ui.timerPeriodWrites().end()),
        (std::vector<int>{0, 1000}));
    EXPECT_EQ(ui.TimerPeriod(), 1000);
    const platform::ColorizationParameters& record = dwm.records.back();
    EXPECT_EQ(record.AfterglowColour, record.Colour);
    EXPECT_EQ(record.ColourBalance, 54);
    EXPECT_EQ(record.AfterglowBalance, 12);
    EXPECT_EQ(record.BlurBalance, 34);
    EXPECT_EQ(record.GlassReflectionIntensity, 50);
    EXPECT_EQ(record.OpaqueBlend, 0);
}

TEST_F(TransitionTest, KnownRecords_PositionZeroGlassAndPositionHundredOpaque) {
    Apply(0);
    program.settings.Opaque = 1;
    program.colour.CurrentScalePosition = kNoColourYet;
    Apply(100);
    program.settings.Opaque = 5;
    Apply(100);
    ASSERT_EQ(dwm.records.size(), 3u);
    EXPECT_EQ(dwm.records[0].Colour, 0x600014FFu);
    EXPECT_EQ(dwm.records[0].OpaqueBlend, 0);
    EXPECT_EQ(dwm.records[1].Colour, 0x60FF1E00u);
    EXPECT_EQ(dwm.records[1].OpaqueBlend, 1);
    EXPECT_EQ(dwm.records[2].OpaqueBlend, 5) << "passed as read; a repeat applies it at once";
}

TEST_F(TransitionTest, Steps_EachAfterAtLeastFiftyMillisecondsWithoutTheStartColour) {
    Apply(40);
    dwm.records.clear();
    std::vector<std::uint32_t> times;
    dwm.onApply = [&](const platform::ColorizationParameters&) { times.push_back(ui.TickCount()); };
    const std::uint32_t start = ui.TickCount();
    Apply(43);
    dwm.onApply = nullptr;
    EXPECT_EQ(Colours(), ColoursOf({41, 42, 43}));
    ASSERT_EQ(times.size(), 3u);
    std::uint32_t previous = start;
    for (std::uint32_t at : times) {
        EXPECT_GT(at - previous, 50u);
        previous = at;
    }
    EXPECT_LE(ui.waitCalls(), 6) << "the wait sleeps instead of spinning";
    EXPECT_EQ(ui.TimerPeriod(), 1000);
}

TEST_F(TransitionTest, DownBelowZero_TheLastStepsRepeatTheClampedColour) {
    Apply(5);
    dwm.records.clear();
    Apply(-3);
    EXPECT_EQ(Colours(), ColoursOf({4, 3, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(program.colour.CurrentScalePosition, -3);
}

TEST_F(TransitionTest, SamePositionAgain_AppliesOnceAtOnce) {
    Apply(40);
    Apply(40);
    EXPECT_EQ(Colours(), ColoursOf({40, 40}));
}

TEST_F(TransitionTest, ModeMismatch_DoesNothingAndLeavesTheTimer) {
    program.colour.EasterEggMode = EggMode::On;
    const std::size_t writes = ui.timerPeriodWrites().size();
    Apply(40, EggMode::Off);
    program.colour.EasterEggMode = EggMode::Off;
    Apply(40, EggMode::On);
    EXPECT_TRUE(dwm.records.empty());
    EXPECT_EQ(ui.timerPeriodWrites().size(), writes);
}

TEST_F(TransitionTest, EggSwitchedOnDuringAWait_AbandonsWithoutApplyingOrRestoring) {
    Apply(10);
    ui.Post(ui.TickCount() + 120, [this] { Raise(ui::HandlerId::ToggleEggMode); });
    Apply(20);
    EXPECT_EQ(Colours(), ColoursOf({10, 11, 12})) << "the third step's colour is not applied";
    EXPECT_EQ(program.colour.CurrentScalePosition, 13);
    EXPECT_EQ(ui.TimerPeriod(), 50);
    EXPECT_EQ(program.SavedTimerPeriod, 1000) << "the period the transition would restore";
    EXPECT_EQ(program.colour.PendingTimerPeriod, -1);
}

TEST_F(TransitionTest, SaveDuringATransition_RefreshRunsNestedAndBothRestoreTheirPeriods) {
    Apply(0);
    // Save restarts the timer in the middle of a walk from 0 to 100; its refresh reads 15 = 50.
    internet.Reply(Reading("15"));
    ui.Post(ui.TickCount() + 200, [this] { Raise(ui::HandlerId::OnSaveClicked); });
    ui.UserSelectsItem(45); // 北京
    ui.SetUnitText(ui::UnitId::Edit1, "0");
    ui.SetUnitText(ui::UnitId::Edit2, "30");
    Apply(100);
    EXPECT_EQ(program.colour.CurrentScalePosition, 100);
    EXPECT_EQ(internet.paths().size(), 1u) << "one refresh ran inside the transition";
    EXPECT_EQ(dwm.records.back().Colour, CompositionColour(100));
    EXPECT_EQ(ui.TimerPeriod(), 1000);
}

TEST_F(TransitionTest, ReadingAtMinusOne_LeavesNoColourMarkerSoTheNextIsDirect) {
    Apply(-1);
    EXPECT_EQ(program.colour.CurrentScalePosition, kNoColourYet);
    const std::uint32_t start = ui.TickCount();
    Apply(30);
    EXPECT_EQ(Colours(), ColoursOf({0, 30}));
    EXPECT_EQ(ui.TickCount(), start);
}

TEST_F(TransitionTest, FarOutsideTheRamp_TheWalkStaysWithinAMarginAndTheTimerComesBack) {
    Apply(30);
    dwm.records.clear();
    const int farBelow = -961633963; // the low 32 bits of a reading of 1e9 between 0 and 30
    Apply(farBelow);
    EXPECT_EQ(program.colour.CurrentScalePosition, farBelow) << "stored as it came";
    EXPECT_EQ(dwm.records.size(), 130u) << "30 down to the margin at -100";
    EXPECT_EQ(dwm.records.back().Colour, CompositionColour(0));
    EXPECT_EQ(ui.TimerPeriod(), 1000);

    dwm.records.clear();
    Apply(farBelow + 5000); // both far below: the end colour once, no walk
    EXPECT_EQ(Colours(), ColoursOf({0}));

    dwm.records.clear();
    Apply(40);
    EXPECT_EQ(dwm.records.size(), 140u) << "from the margin at -100 up to 40";
    EXPECT_EQ(dwm.records.back().Colour, CompositionColour(40));

    dwm.records.clear();
    Apply(1000000);
    EXPECT_EQ(dwm.records.size(), 160u) << "40 up to the margin at 200";
    EXPECT_EQ(program.colour.CurrentScalePosition, 1000000);
}

TEST(TickPassed, ComparesAcrossTheWrapOfTheTickCount) {
    EXPECT_TRUE(platform::TickPassed(101, 100));
    EXPECT_FALSE(platform::TickPassed(100, 100));
    EXPECT_FALSE(platform::TickPassed(99, 100));
    EXPECT_TRUE(platform::TickPassed(5, 0xFFFFFFF0u));
    EXPECT_FALSE(platform::TickPassed(0xFFFFFFF0u, 5));
}

} // namespace
} // namespace korvane::testing
