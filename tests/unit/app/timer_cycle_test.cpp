// The refresh cycle's tick sequences and the easter-egg sweep.
#include "app/timer_cycle.h"
#include "colour/ramp.h"
#include "support/gbk.h"
#include "support/program_fixture.h"

namespace korvane::testing {
namespace {

using ui::HandlerId;

class TimerCycleTest : public ProgramTest {
  protected:
    // Runs `ticks` ticks by hand and answers the ticks (1-based) on which a refresh ran.
    std::vector<int> RefreshTicks(int ticks) {
        std::vector<int> refreshed;
        for (int tick = 1; tick <= ticks; ++tick) {
            internet.Reply(Reading("9"));
            const std::size_t before = internet.paths().size();
            before_.push_back(program.TickCount);
            OnTimerTick(program);
            if (internet.paths().size() > before) refreshed.push_back(tick);
        }
        return refreshed;
    }
    std::vector<int> before_;
};

TEST_F(TimerCycleTest, TickSequences_RefreshOnTheTicksThatSeeZeroOrFive) {
    const struct {
        const char* how;
        int startCount;
        std::vector<int> countsBefore;
        std::vector<int> refreshTicks;
    } cases[] = {
        {"start-up or Save", 0, {0, 2, 3, 4, 5, 2, 3, 4, 5, 2}, {1, 5, 9}},
        {"end of the easter egg", -1, {-1, 0, 2, 3, 4, 5, 2, 3, 4, 5}, {2, 6, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        StartConfigured();
        program.TickCount = c.startCount;
        before_.clear();
        const std::size_t already = internet.paths().size();
        std::vector<int> refreshed = RefreshTicks(10);
        EXPECT_EQ(before_, c.countsBefore);
        EXPECT_EQ(refreshed, c.refreshTicks);
        EXPECT_EQ(internet.paths().size() - already, c.refreshTicks.size());
    }
}

TEST(TimerCycle, RefreshTimes_FollowTheTimersBeat) {
    const struct {
        const char* how;
        std::uint32_t saveAt; // 0: no Save
        std::vector<std::uint32_t> refreshAt;
    } cases[] = {
        // The first reading is applied at once; the same reading again is applied at once too.
        {"configured start", 0, {1000, 5000, 9000}},
        // Save re-arms the cycle with the period the timer already has, which does not restart
        // it: the refresh comes on the timer's next beat, not a whole period after Save.
        {"Save at 2.4 s", 2400, {1000, 3000, 7000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        HostProgram<ReplyInternet> p;
        p.files.Put(u"config.ini", kBeijingFile);
        ASSERT_FALSE(p.Start().has_value());
        for (int i = 0; i < 3; ++i)
            p.internet.Reply(Reading("9"));
        std::vector<std::uint32_t> at;
        const std::uint32_t start = p.ui.TickCount();
        for (int ms = 0; ms < 9500; ms += 10) {
            const std::size_t before = p.internet.paths().size();
            p.ui.Advance(10);
            if (p.ui.TickCount() - start == c.saveAt) p.Raise(HandlerId::OnSaveClicked);
            if (p.internet.paths().size() > before) at.push_back(p.ui.TickCount() - start);
        }
        EXPECT_EQ(at, c.refreshAt);
    }
}

TEST_F(TimerCycleTest, EggSweep_FromMinusOneVisitsOddPositionsAndBounces) {
    StartConfigured();
    ASSERT_FALSE(Raise(HandlerId::ToggleEggMode).has_value());
    EXPECT_EQ(ui.TimerPeriod(), 50);
    EXPECT_EQ(program.TickCount, -1);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, Gbk("这么明显的彩蛋你都找到了，彩蛋模式开启啦！"));
    EXPECT_EQ(ui.boxes()[0].caption, Gbk("哈哈"));
    std::vector<int> positions;
    for (int i = 0; i < 53; ++i) {
        OnTimerTick(program);
        positions.push_back(program.colour.CurrentScalePosition);
    }
    EXPECT_EQ(positions[0], 1);
    EXPECT_EQ(positions[1], 3);
    EXPECT_EQ(positions[49], 99);
    EXPECT_EQ(positions[50], 97); // 101 turns back to 97
    EXPECT_EQ(positions[51], 95);
    EXPECT_EQ(dwm.records.size(), 53u);
    EXPECT_EQ(dwm.records[50].Colour, CompositionColour(97));
    EXPECT_EQ(program.TickCount, -1); // not counted in the egg
    EXPECT_TRUE(internet.paths().empty());
}

TEST_F(TimerCycleTest, EggSweep_CoversTheScaleFromWhereverItStarts) {
    const struct {
        int start;
        int step;
        std::vector<int> positions;
        int stepAfter;
    } cases[] = {
        {96, 2, {98, 100, 98, 96}, -2},
        {2, -2, {0, 2, 4}, 2}, // -2 turns back to 2
        // Beyond an end: onto the scale first, heading inward, then bouncing as usual.
        {-3, 2, {1, 3, 5}, 2}, // a reading of -1 on a scale of 0 to 30
        {-3, -2, {1, 3}, 2},
        {-4, 2, {0, 2}, 2},
        {105, 2, {99, 97}, -2},
        {104, -2, {100, 98}, -2},
        {101, 2, {99, 97}, -2},
        {-2147483647, 2, {1, 3}, 2},
        {2147483647, 2, {99, 97}, -2},
    };
    StartConfigured();
    program.colour.EasterEggMode = EggMode::On;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        program.colour.CurrentScalePosition = c.start;
        program.EggStep = c.step;
        dwm.records.clear();
        std::vector<int> positions;
        for (std::size_t i = 0; i < c.positions.size(); ++i) {
            EggTick(program);
            positions.push_back(program.colour.CurrentScalePosition);
        }
        EXPECT_EQ(positions, c.positions);
        EXPECT_EQ(program.EggStep, c.stepAfter);
        EXPECT_EQ(dwm.records.back().Colour, CompositionColour(c.positions.back()));
    }
}

TEST_F(TimerCycleTest, TwoQuickSwitches_KeepTheSweepsDirection) {
    StartConfigured();
    program.colour.CurrentScalePosition = 99;
    Raise(HandlerId::ToggleEggMode);
    OnTimerTick(program); // 101 -> 97, now going down
    EXPECT_EQ(program.EggStep, -2);
    Raise(HandlerId::ToggleEggMode);
    Raise(HandlerId::ToggleEggMode);
    OnTimerTick(program);
    EXPECT_EQ(program.colour.CurrentScalePosition, 95);
}

TEST_F(TimerCycleTest, EggOff_RestoresThePeriodAndTheCycleRefreshesOnTheSecondTick) {
    StartConfigured();
    Raise(HandlerId::ToggleEggMode);
    Raise(HandlerId::ToggleEggMode);
    EXPECT_EQ(ui.TimerPeriod(), 1000);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[1].text, Gbk("彩蛋模式结束了！"));
    EXPECT_EQ(ui.boxes()[1].caption, Gbk("嘻嘻"));
    internet.Reply(Reading("9"));
    internet.Reply(Reading("9"));
    ui.Advance(1000);
    EXPECT_TRUE(internet.paths().empty());
    ui.Advance(1000);
    EXPECT_EQ(internet.paths().size(), 1u);
}

TEST_F(TimerCycleTest, EggSwitchedOnDuringATransition_SwitchingOffBringsTheCycleBack) {
    StartConfigured();
    internet.Reply(Reading("0"));
    ui.Advance(1000); // position 0, applied at once
    internet.Reply(Reading("30"));
    // The egg is switched on in the middle of the stepped walk from 0 to 100.
    ui.Post(ui.TickCount() + 4000 + 120, [this] { Raise(HandlerId::ToggleEggMode); });
    ui.Advance(4000);
    EXPECT_EQ(ui.TimerPeriod(), 50);
    EXPECT_EQ(program.SavedTimerPeriod, 1000);
    Raise(HandlerId::ToggleEggMode);
    EXPECT_EQ(ui.TimerPeriod(), 1000);
    // The tick whose refresh was interrupted counted on to 2 after the switch set -1.
    EXPECT_EQ(program.TickCount, 2);
    const std::size_t before = internet.paths().size();
    internet.Reply(Reading("30"));
    ui.Advance(3000);
    EXPECT_EQ(internet.paths().size(), before);
    ui.Advance(1000);
    EXPECT_EQ(internet.paths().size(), before + 1);
}

TEST_F(TimerCycleTest, EggDuringFirstUse_LeavesTheTimerStoppedWhenSwitchedOff) {
    ui.AnswerNextBoxes({ui::box::Ok, ui::box::No});
    ASSERT_FALSE(Start().has_value());
    Raise(HandlerId::ToggleEggMode);
    EXPECT_EQ(program.SavedTimerPeriod, 0);
    EXPECT_EQ(ui.TimerPeriod(), 50);
    ui.Advance(500);
    EXPECT_GE(dwm.records.size(), 9u);
    EXPECT_EQ(dwm.records.front().Colour, CompositionColour(1));
    Raise(HandlerId::ToggleEggMode);
    EXPECT_EQ(ui.TimerPeriod(), 0);
}

TEST_F(TimerCycleTest, TimerKeepsTickingWhileTheEggBoxIsOpen) {
    StartConfigured();
    int ticksDuringBox = -1;
    ui.WhileBoxOpen([&](const ui::MessageBoxRecord&) {
        const int before = ui.timerTicks();
        ui.Advance(200);
        ticksDuringBox = ui.timerTicks() - before;
    });
    Raise(HandlerId::ToggleEggMode);
    EXPECT_EQ(ticksDuringBox, 4);
    EXPECT_EQ(program.TickCount, -1); // set after the box closes
}

} // namespace
} // namespace korvane::testing
