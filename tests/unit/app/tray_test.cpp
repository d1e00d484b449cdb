// The tray icon's events, its menu, the author box and who sets and removes the icon.
#include "app/tray.h"
#include "colour/ramp.h"
#include "support/gbk.h"
#include "support/program_fixture.h"
#include "ui/tray_tip.h"

namespace korvane::testing {
namespace {

using ui::HandlerId;
using ui::WindowId;

TEST_F(ProgramTest, LeftClickOrDoubleClick_OpensTheConfigWindowAndRemovesTheIcon) {
    for (int action : {ui::tray_action::LeftUp, ui::tray_action::LeftDoubleClick}) {
        StartConfigured();
        ui.SetVisible(WindowId::Config, false);
        ui.SetTrayIcon("");
        Raise(HandlerId::OnTrayEvent, action);
        EXPECT_TRUE(ui.IsVisible(WindowId::Config)) << action;
        EXPECT_FALSE(ui.trayShown()) << action;
        EXPECT_EQ(ui.createdCount(WindowId::Config), 1) << "loaded once, brought forward after";
    }
}

TEST_F(ProgramTest, RightClick_PopsTheMenuAndRunsTheChosenEntry) {
    StartConfigured();
    ui.ChooseMenuEntry(HandlerId::OpenConfigWindow);
    Raise(HandlerId::OnTrayEvent, ui::tray_action::RightUpOrMenuKey);
    EXPECT_EQ(ui.menuPopups(), 1);
    EXPECT_TRUE(ui.IsVisible(WindowId::Config));
    EXPECT_TRUE(ui.trayShown()) << "配置 keeps the icon";
    Raise(HandlerId::OnTrayEvent, 4);
    EXPECT_EQ(ui.menuPopups(), 1) << "other actions do nothing";
}

TEST_F(ProgramTest, RefreshWhileTheMenuIsOpen_TheMenuIsServedAndTheWalkRunsWhenItCloses) {
    const struct {
        const char* how;
        std::optional<HandlerId> choice;
        int positionAfter;
        int periodAfter;
    } cases[] = {
        {"closed without a choice", std::nullopt, 100, 1000},
        {"彩蛋 chosen: the walk is dropped, the egg keeps the refresh period",
         HandlerId::ToggleEggMode, 8, 50}, // four egg steps from 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        HostProgram<ReplyInternet> p;
        p.files.Put(u"config.ini", kBeijingFile);
        ASSERT_FALSE(p.Start().has_value());
        p.internet.Reply(Reading("0"));
        p.ui.Advance(1000); // position 0, applied at once
        p.internet.Reply(Reading("30"));
        // The menu's own loop: it takes its input every 100 ms, the next refresh comes meanwhile.
        std::uint32_t longestHold = 0;
        std::size_t coloursWhileOpen = 0;
        p.ui.WhileMenuOpen([&] {
            for (int turn = 0; turn < 50; ++turn) {
                const std::uint32_t due = p.ui.TickCount() + 100;
                p.ui.Advance(100);
                longestHold = std::max(longestHold, p.ui.TickCount() - due);
            }
            coloursWhileOpen = p.dwm.records.size();
        });
        if (c.choice) p.ui.ChooseMenuEntry(*c.choice);
        p.Raise(HandlerId::OnTrayEvent, ui::tray_action::RightUpOrMenuKey);
        EXPECT_EQ(p.internet.paths().size(), 2u) << "the refresh ran while the menu was open";
        EXPECT_LE(longestHold, 50u) << "the menu waits no longer than one step";
        EXPECT_EQ(coloursWhileOpen, 1u) << "no walk while the menu is open";
        p.ui.Advance(200);
        EXPECT_EQ(p.program.colour.CurrentScalePosition, c.positionAfter);
        EXPECT_EQ(p.dwm.records.back().Colour, CompositionColour(c.positionAfter));
        EXPECT_EQ(p.ui.TimerPeriod(), c.periodAfter);
        EXPECT_EQ(TimerPeriodAfterTransitions(p.program.colour, p.ui), c.periodAfter);
        if (c.choice) {
            EXPECT_EQ(p.program.SavedTimerPeriod, 1000) << "not the 0 of the kept walk";
        }
        EXPECT_FALSE(p.program.colour.Deferred.has_value());
    }
}

TEST(TrayMenuTemplate, HasTheFourEntriesInOrder) {
    const auto& menu = ui::TemplateOf(WindowId::Main).menu;
    ASSERT_EQ(menu.size(), 4u);
    const char* captions[] = {"配置", "彩蛋", "退出", "作者"};
    const HandlerId handlers[] = {HandlerId::OpenConfigWindow, HandlerId::ToggleEggMode,
                                  HandlerId::ExitProgram, HandlerId::ShowAuthorBox};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(menu[i].caption, Gbk(captions[i]));
        EXPECT_EQ(menu[i].handler, handlers[i]);
    }
}

TEST_F(ProgramTest, AuthorBox_NamesTheMaintainersAndAnAddress) {
    StartConfigured();
    Raise(HandlerId::ShowAuthorBox);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].caption, Gbk("作者"));
    EXPECT_EQ(ui.boxes()[0].style, 0x40u);
    const std::string& text = ui.boxes()[0].text;
    EXPECT_EQ(text.rfind(Gbk("作者："), 0), 0u);
    EXPECT_NE(text.find("\r\n" + Gbk("Email：")), std::string::npos);
}

TEST_F(ProgramTest, TrayIconTable_EveryMomentSetsOrRemovesAsListed) {
    StartConfigured(); // set after the hidden config window is loaded
    ASSERT_GE(ui.trayHistory().size(), 1u);
    EXPECT_TRUE(ui.trayHistory().back().shown);

    internet.Reply(Reading("9")); // a reading while the window is hidden: set, tip refreshed
    ui.Advance(1000);
    EXPECT_EQ(ui.trayTip(), Gbk("当前 9℃ 东南风2级\r\n"));

    Raise(HandlerId::OnTrayEvent, ui::tray_action::LeftUp); // removed after opening
    EXPECT_FALSE(ui.trayShown());
    internet.Reply(Reading("12")); // a reading while the window shows: no icon comes back
    program.TickCount = 0;
    ui.Advance(1000);
    EXPECT_FALSE(ui.trayShown());
    EXPECT_EQ(program.weather.StatusText, Gbk("当前 12℃ 东南风2级\r\n"));

    EXPECT_FALSE(ui.Raise(HandlerId::OnConfigWindowClosing)) << "the close is refused";
    EXPECT_TRUE(ui.trayShown()); // close request: set, then hidden
    EXPECT_EQ(ui.trayTip(), Gbk("当前 12℃ 东南风2级\r\n"));
    EXPECT_FALSE(ui.IsVisible(WindowId::Config));

    // Main window asked to close: removed, and the program ends its one way.
    EXPECT_EQ(Raise(HandlerId::OnMainWindowClosing), 0);
    EXPECT_FALSE(ui.trayShown());
}

TEST_F(ProgramTest, TrayIcon_TheShellGetsItBackWheneverItIsWanted) {
    const struct {
        const char* how;
        int refusedAdds;     // from start-up on (no notification area yet at log-on), or the loss
        bool takeEffect;     // reported failed, shown all the same (a time-out, the shell busy)
        bool lostUnseen;     // the shell drops the icon without a word; a reading sets it again
        bool restart;        // Explorer (re)starts after start-up: "TaskbarCreated"
        bool egg;            // the easter egg runs from start-up on: a tick every 50 ms
        bool unwanted;       // the configuration window was opened by a tray click
        int shownAfterTicks; // seconds; -1: not shown within 10
    } cases[] = {
        {"shown, Explorer restarts: back with its tip", 0, false, false, true, false, false, 0},
        {"refused at log-on, no network: offered every fourth tick", 2, false, false, false, false,
         false, 8},
        {"refused at log-on, easter egg: offered once per 4 s, not on its ticks", 2, false, false,
         false, true, false, 8},
        {"refused at log-on, then the tray starts", 1, false, false, true, false, false, 0},
        {"refused twice, easter egg, the tray starts: offered at once, then after 4 s", 2, false,
         false, true, true, false, 4},
        {"not wanted: neither a restart nor a tick brings it", 0, false, false, true, false, true,
         -1},
        {"add at log-on failed but shown", 1, true, false, false, false, false, 0},
        {"lost unseen: the modify fails, its add fails but shows", 1, true, true, false, false,
         false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        HostProgram<ReplyInternet> p; // offline: no reading queued
        p.files.Put(u"config.ini", kBeijingFile);
        p.ui.RefuseTrayAdds(c.lostUnseen ? 0 : c.refusedAdds, c.takeEffect);
        p.program.weather.StatusText = "tip";
        ASSERT_FALSE(p.Start().has_value());
        if (c.egg) p.Raise(HandlerId::ToggleEggMode);
        if (c.unwanted) p.Raise(HandlerId::OnTrayEvent, ui::tray_action::LeftUp);
        if (c.restart) p.ui.ExplorerRestarted();
        if (c.lostUnseen) {
            p.ui.LoseTrayIconUnseen();
            p.ui.RefuseTrayAdds(c.refusedAdds, c.takeEffect);
            p.ui.SetTrayIcon("tip");
        }
        int ticks = 0;
        for (; !p.ui.trayShown() && ticks < 10; ++ticks)
            p.ui.Advance(1000);
        EXPECT_EQ(p.ui.trayShown() ? ticks : -1, c.shownAfterTicks);
        EXPECT_EQ(p.ui.trayShown() ? p.ui.trayTip() : "tip", "tip");
        EXPECT_EQ(p.ui.trayAddsRefused(), c.refusedAdds);
        if (!c.unwanted) {
            p.ui.SetTrayIcon("next");
            EXPECT_EQ(p.ui.trayTip(), "next") << "the next tip reaches the shell";
        }
        EXPECT_EQ(p.Raise(HandlerId::ExitProgram), 0);
        EXPECT_FALSE(p.ui.trayShown()) << "退出 leaves no icon behind";
    }
}

TEST_F(ProgramTest, PreviewSlider_WritesThePositionPaintsTheWindowAndStepsTheFrames) {
    StartConfigured();
    ui.SetSliderPosition(40);
    Raise(HandlerId::OnPreviewSliderMoved);
    EXPECT_EQ(ui.UnitText(ui::UnitId::MainEdit1), "40");
    EXPECT_EQ(ui.backgroundColour(WindowId::Main), ScaleColourValue(40));
    EXPECT_EQ(Colours(), std::vector<std::uint32_t>{CompositionColour(40)});
}

TEST(TrayTip, CutsAtSixtyTwoBytesNeverInsideADoubleByteCharacter) {
    const std::string ascii70(70, 'a');
    EXPECT_EQ(ui::TrayTipText(ascii70), std::string(62, 'a'));
    // 61 ASCII bytes then a double-byte character: its lead byte would be the 62nd.
    const std::string leadAt62 = std::string(61, 'a') + Gbk("当前");
    EXPECT_EQ(ui::TrayTipText(leadAt62), std::string(61, 'a'));
    const std::string evenChinese =
        Gbk("当前当前当前当前当前当前当前当前当前当前当前当前当前当前当前当前");
    EXPECT_EQ(ui::TrayTipText(evenChinese).size(), 62u);
    EXPECT_EQ(ui::TrayTipText("short"), "short");
}

} // namespace
} // namespace korvane::testing
