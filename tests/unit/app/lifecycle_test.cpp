// Start-up, refusal, first use and exit of the whole program on the host doubles.
#include "colour/ramp.h"
#include "support/gbk.h"
#include "support/program_fixture.h"
#include "text/texts.h"

namespace korvane::testing {
namespace {

using ui::WindowId;

TEST_F(ProgramTest, ConfiguredStart_LoadsConfigWindowHiddenShowsEmptyTipAndArmsTheTimer) {
    StartConfigured();
    EXPECT_EQ(process.directories, std::vector<std::u16string>{u"C:\\Program Files\\Korvane"});
    EXPECT_TRUE(ui.IsLoaded(WindowId::Main));
    EXPECT_FALSE(ui.IsVisible(WindowId::Main));
    EXPECT_TRUE(ui.IsLoaded(WindowId::Config));
    EXPECT_FALSE(ui.IsVisible(WindowId::Config));
    EXPECT_TRUE(ui.trayShown());
    EXPECT_EQ(ui.trayTip(), "");
    EXPECT_EQ(ui.TimerPeriod(), 1000);
    EXPECT_EQ(program.TickCount, 0);
    EXPECT_EQ(program.settings.CityId, "101010100");
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(program.colour.CurrentScalePosition, -1);
    EXPECT_EQ(program.EggStep, 2);
}

TEST_F(ProgramTest, ConfiguredStart_FirstTickOneSecondLaterRefreshes) {
    StartConfigured();
    internet.Reply(Reading("9"));
    ui.Advance(999);
    EXPECT_TRUE(internet.paths().empty());
    ui.Advance(1);
    ASSERT_EQ(internet.paths().size(), 1u);
    EXPECT_EQ(internet.paths()[0], "/data/sk/101010100.html");
    EXPECT_EQ(Colours(), std::vector<std::uint32_t>{CompositionColour(30)});
    EXPECT_EQ(ui.trayTip(), Gbk("当前 9℃ 东南风2级\r\n"));
}

struct RefusalCase {
    const char* name;
    platform::OsVersionRecord record;
    bool composition;
    const char* expectedSystemName; // UTF-8
};

platform::OsVersionRecord Version(int major, int minor, int productType, int productInfo) {
    platform::OsVersionRecord record;
    record.PlatformId = 2;
    record.MajorVersion = major;
    record.MinorVersion = minor;
    record.ProductType = static_cast<std::uint8_t>(productType);
    record.ProductInfoType = static_cast<std::uint32_t>(productInfo);
    return record;
}

TEST_F(ProgramTest, UnsupportedSystemOrCompositionOff_ShowsTheNameAndEndsWithZero) {
    const RefusalCase cases[] = {
        {"server 2008 R2", Version(6, 1, 3, 7), true, "Microsoft Windows Server 2008 R2 标准版"},
        {"composition off", Version(6, 1, 1, 1), false, "Microsoft Windows 7 旗舰版"},
        {"xp", Version(5, 1, 1, 0), true, "Microsoft Windows XP"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        HostProgram<ReplyInternet> refused;
        refused.os.record = c.record;
        refused.dwm.compositionEnabled = c.composition;
        refused.files.Put(u"config.ini", kBeijingFile);
        EXPECT_EQ(refused.Start(), 0);
        ui::HostWindowSystem& windows = refused.ui;
        ASSERT_EQ(windows.boxes().size(), 1u);
        EXPECT_EQ(windows.boxes()[0].text,
                  Gbk("您当前操作系统不匹配，请在Win7或Win8操作系统运行本程序。\r\n您当前的系统") +
                      Gbk(c.expectedSystemName));
        EXPECT_EQ(windows.boxes()[0].caption, Gbk("错误"));
        EXPECT_EQ(windows.boxes()[0].style, 0x10u);
        EXPECT_FALSE(windows.trayShown());
        EXPECT_FALSE(windows.IsLoaded(WindowId::Config));
    }
}

TEST(SystemNameCheck, AcceptsTheFourKeywordsInAnyCase) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"Microsoft Windows 7 Ultimate", true}, {"MICROSOFT WINDOWS 7", true},
        {"Microsoft Windows 8", true},          {"Microsoft Windows Vista", true},
        {"Microsoft Windows NT 6.2 x", true},   {"Microsoft Windows Server 2008 R2", false},
        {"Microsoft Windows XP", false},        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSupportedSystemName(c.name), c.accepted) << c.name;
}

TEST_F(ProgramTest, FirstUse_GreetsAsksAndOpensTheConfigWindowWithoutTrayOrTimer) {
    ui.AnswerNextBoxes({ui::box::Ok, ui::box::No});
    ASSERT_FALSE(Start().has_value());
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].text, texts::kWelcome);
    EXPECT_EQ(ui.boxes()[0].caption, Gbk("第一次使用"));
    EXPECT_EQ(ui.boxes()[0].style, 0x40u);
    EXPECT_EQ(ui.boxes()[1].text, Gbk("是否将我设置为开机自动启动呢？"));
    EXPECT_EQ(ui.boxes()[1].caption, Gbk("询问"));
    EXPECT_EQ(ui.boxes()[1].style, 0x24u);
    EXPECT_TRUE(ui.IsVisible(WindowId::Config));
    EXPECT_FALSE(ui.trayShown());
    EXPECT_EQ(ui.TimerPeriod(), 0);
    EXPECT_FALSE(ui.IsChecked(ui::UnitId::Check2));
    ui.Advance(10000);
    EXPECT_TRUE(internet.paths().empty());
}

TEST_F(ProgramTest, FirstUse_YesTicksTheAutostartBoxBeforeTheWindowShows) {
    ui.AnswerNextBoxes({ui::box::Ok, ui::box::Yes});
    ASSERT_FALSE(Start().has_value());
    EXPECT_TRUE(ui.IsChecked(ui::UnitId::Check2));
    EXPECT_TRUE(ui.IsVisible(WindowId::Config));
}

TEST_F(ProgramTest, SecondInstance_EndsWithZeroBeforeAnyWindow) {
    ui.SetSingleInstance(false);
    files.Put(u"config.ini", kBeijingFile);
    EXPECT_EQ(RunProgram(program), 0);
    EXPECT_FALSE(ui.IsLoaded(WindowId::Main));
    EXPECT_FALSE(ui.trayShown());
}

TEST_F(ProgramTest, EveryWayOut_RemovesTheIconClosesTheSessionsHandsBackTheUserColourOnce) {
    enum class Way { Exit, SessionEnds, CloseRequest, LoopEnds };
    const struct {
        const char* how;
        Way way;
        bool egg, no127; // dwmapi.dll lacks 127
        bool fetchOut;   // a fetch is still out: its session is left to the process's end
    } cases[] = {
        {"退出 after a reading", Way::Exit, false, false, false},
        {"退出 in the easter egg", Way::Exit, true, false, false},
        {"the log-on session ends", Way::SessionEnds, false, false, false},
        {"a close request to the main window", Way::CloseRequest, false, false, false},
        {"the event loop ends", Way::LoopEnds, false, false, false},
        {"退出 while a fetch hangs", Way::Exit, false, false, true},
        {"no ordinal 127: nothing handed back", Way::Exit, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        HostProgram<ReplyInternet> p;
        if (c.no127) p.dwm.inForce.reset();
        p.files.Put(u"config.ini", kBeijingFile);
        ASSERT_FALSE(p.Start().has_value());
        p.internet.Reply(Reading("9"));
        p.ui.Advance(1000);
        if (c.egg) p.Raise(ui::HandlerId::ToggleEggMode);
        p.ui.HoldBackgroundJobs(c.fetchOut);
        p.ui.Advance(c.fetchOut ? 4500 : 500);
        ASSERT_EQ(p.ui.JobHeld(), c.fetchOut);
        const std::size_t before = p.dwm.records.size();
        std::optional<int> code;
        try {
            switch (c.way) {
            case Way::Exit:
                p.ui.Raise(ui::HandlerId::ExitProgram);
                break;
            case Way::SessionEnds:
                p.ui.EndLogOnSession();
                break;
            case Way::CloseRequest:
                p.ui.Raise(ui::HandlerId::OnMainWindowClosing);
                break;
            case Way::LoopEnds:
                RunProgram(p.program);
                break;
            }
        } catch (const ui::ProcessEnded& ended) {
            code = ended.exitCode;
        }
        EXPECT_EQ(code, 0);
        EXPECT_FALSE(p.ui.trayShown());
        EXPECT_FALSE(p.ui.IsLoaded(WindowId::Config));
        EXPECT_EQ(p.program.settings.CityId, "");
        EXPECT_EQ(p.internet.closedSessions, c.fetchOut ? 0 : p.internet.sessionsOpened);
        EXPECT_EQ(p.dwm.records.size(), before + (c.no127 ? 0 : 1));
        EXPECT_EQ(p.dwm.records.back() == platform::kUserColorization, !c.no127);
        // Whatever comes after the way out (a message the exit's own calls let through) is not a
        // second one.
        EXPECT_FALSE(p.Raise(ui::HandlerId::ExitProgram).has_value());
        EXPECT_EQ(p.dwm.records.size(), before + (c.no127 ? 0 : 1));
    }
}

} // namespace
} // namespace korvane::testing
