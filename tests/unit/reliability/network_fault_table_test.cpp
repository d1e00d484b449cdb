// Faults of the network and of the reply, on the refresh path: every WinINet step failing, and
// bodies that are cut short, oversized or carry readings far outside the bounds. Each row has its
// outcome and a check that nothing is lost: the earlier reading and colour stay, Settings and
// config.ini are untouched, and the next good reply is read as usual.
#include "colour/ramp.h"
#include "config/settings.h"
#include "support/gbk.h"
#include "support/program_fixture.h"
#include "ui/tray_tip.h"
#include "weather/current_conditions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane::testing {
namespace {

enum class Step { CrackUrl, Open, Connect, OpenRequest, Send, Read };

void SetFailing(HostProgram<>& p, Step step, bool failing) {
    platform::ScriptedInternet& internet = p.internet;
    switch (step) {
    case Step::CrackUrl:
        internet.FailCrackUrl = failing;
        break;
    case Step::Open:
        internet.FailOpen = failing;
        break;
    case Step::Connect:
        internet.FailConnect = failing;
        break;
    case Step::OpenRequest:
        internet.FailOpenRequest = failing;
        break;
    case Step::Send:
        internet.FailSend = failing;
        break;
    case Step::Read:
        internet.FailReadAfter = failing ? std::optional(internet.DeliveredBytes()) : std::nullopt;
        break;
    }
}

void StartWithBounds(HostProgram<>& p, int min, int max) {
    p.files.Put(kConfigFileName,
                SettingsFileText("101010100", std::to_string(max), std::to_string(min), "0"));
    ASSERT_EQ(p.Start(), std::nullopt);
}

struct FailingStep {
    const char* fault;
    Step step;
    bool readingBefore; // a session opens with the first fetch: Open can only fail before it
};

TEST(NetworkFaultTable, EveryFailingWinInetStepShowsWaitingAndKeepsTheReadingAndTheColour) {
    const FailingStep rows[] = {
        {"the address cannot be split", Step::CrackUrl, true},
        {"the session cannot be opened", Step::Open, false},
        {"the server cannot be reached", Step::Connect, true},
        {"the request cannot be opened", Step::OpenRequest, true},
        {"the request cannot be sent", Step::Send, true},
        {"the first read fails", Step::Read, true},
    };
    for (const FailingStep& row : rows) {
        SCOPED_TRACE(row.fault);
        HostProgram<> p;
        StartWithBounds(p, 0, 30);
        if (row.readingBefore) {
            p.internet.BodyPieces.push_back(Reading("9"));
            p.Refresh();
            ASSERT_EQ(p.program.colour.CurrentScalePosition, 30);
        }
        const int temperature = p.program.weather.CurrentTemperature;
        const int position = p.program.colour.CurrentScalePosition;
        const std::size_t colours = p.dwm.records.size();
        const std::string tip = p.ui.trayTip();

        SetFailing(p, row.step, true);
        p.internet.BodyPieces.push_back(Reading("25"));
        p.Refresh();

        EXPECT_EQ(p.program.weather.StatusText, Gbk("联网等待…"));
        EXPECT_EQ(p.program.weather.CurrentTemperature, temperature);
        EXPECT_EQ(p.program.colour.CurrentScalePosition, position);
        EXPECT_EQ(p.dwm.records.size(), colours);
        EXPECT_EQ(p.ui.trayTip(), tip);
        EXPECT_TRUE(p.ui.boxes().empty());
        EXPECT_LE(p.internet.OpenHandles().size(), 2u); // at most the two sessions stay open
        EXPECT_EQ(p.ui.TimerPeriod(), 1000);

        // The next refresh tries again from the start and reads the reply as usual.
        SetFailing(p, row.step, false);
        p.Refresh();
        EXPECT_EQ(p.program.weather.CurrentTemperature, 25);
        EXPECT_EQ(p.program.colour.CurrentScalePosition, 83);
        EXPECT_EQ(p.Colours().back(), CompositionColour(83));
        EXPECT_EQ(p.files.Content(kConfigFileName), SettingsFileText("101010100", "30", "0", "0"));
    }
}

std::string CutAfter(std::string body, std::string_view marker, std::size_t keep) {
    return body.substr(0, body.find(marker) + keep);
}

std::string Repeated(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct Body {
    const char* fault;
    std::string body;
    bool connectionDrops; // the read after the body fails instead of reporting its end
    int min, max;
    std::optional<int> temperature; // none: no reading
    std::int32_t position;
    const char* status; // UTF-8
    const char* followUp;
    int followUpTemperature;
};

TEST(NetworkFaultTable, CutOversizedAndOutlandishBodiesGiveADefinedReadingAndColour) {
    const std::string utf8Dong = "东"; // three bytes
    const Body rows[] = {
        {"a connection dropping inside the three bytes of 东 keeps the temperature",
         CutAfter(Reading("9"), utf8Dong, 2), true, 0, 30, 9, 30, "当前 9℃ \r\n", "25", 25},
        {"a body ending inside the temperature value is no reading",
         CutAfter(Reading("25"), "\"temp\":\"2", 9), false, 0, 30, std::nullopt, kNoColourYet,
         "联网等待…", "25", 25},
        {"a connection dropping inside 北京 before temp is no reading",
         CutAfter(Reading("9"), "北", 2), true, 0, 30, std::nullopt, kNoColourYet, "联网等待…",
         "25", 25},
        {"1 MiB of \"temp\":\" is no reading", Repeated(R"("temp":")", 131072), false, 0, 30,
         std::nullopt, kNoColourYet, "联网等待…", "25", 25},
        {"a reading of -1000 lies far below the scale", Reading("-1000"), false, 0, 30, -1000,
         -3333, "当前 -1000℃ 东南风2级\r\n", "25", 25},
        // 1e9 * 100 / 30 truncates to 3333333333, whose low 32 bits are -961633963. Another
        // reading would walk there one unit per 50 ms, so the follow-up repeats the same one.
        {"a reading of 1e9 gives the low 32 bits of its position", Reading("1e9"), false, 0, 30,
         1000000000, -961633963, "当前 1000000000℃ 东南风2级\r\n", "1e9", 1000000000},
        {"equal bounds give position 0", Reading("25"), false, 20, 20, 25, 0,
         "当前 25℃ 东南风2级\r\n", "25", 25},
        {"reversed bounds from a hand-edited file are used as they are", Reading("9"), false, 30, 0,
         9, 70, "当前 9℃ 东南风2级\r\n", "25", 25},
    };
    for (const Body& row : rows) {
        SCOPED_TRACE(row.fault);
        HostProgram<> p;
        StartWithBounds(p, row.min, row.max);
        const std::string file = *p.files.Content(kConfigFileName);
        p.internet.BodyPieces.push_back(row.body);
        if (row.connectionDrops) p.internet.FailReadAfter = row.body.size();

        p.Refresh();

        EXPECT_EQ(p.program.weather.StatusText, Gbk(row.status));
        EXPECT_EQ(p.program.weather.CurrentTemperature, row.temperature.value_or(0));
        EXPECT_EQ(p.program.colour.CurrentScalePosition, row.position);
        if (row.temperature) {
            ASSERT_EQ(p.dwm.records.size(), 1u);
            // The ramp clamps: outside 0 to 100 the colour is that of the nearer end.
            EXPECT_EQ(p.Colours().back(), CompositionColour(std::clamp(row.position, 0, 100)));
            EXPECT_EQ(p.ui.trayTip(), ui::TrayTipText(p.program.weather.StatusText));
        } else {
            EXPECT_TRUE(p.dwm.records.empty());
        }
        EXPECT_EQ(p.program.settings.MinTemperature, row.min);
        EXPECT_EQ(p.program.settings.MaxTemperature, row.max);
        EXPECT_EQ(p.files.Content(kConfigFileName), file);
        EXPECT_EQ(p.ui.TimerPeriod(), 1000);

        // The next good reply is read as usual, stepping from wherever the colour stands.
        p.internet.FailReadAfter.reset();
        p.internet.BodyPieces.push_back(Reading(row.followUp));
        p.Refresh();
        EXPECT_EQ(p.program.weather.CurrentTemperature, row.followUpTemperature);
        const std::int32_t next =
            ScalePosition(row.followUpTemperature, p.program.settings.MinTemperature,
                          p.program.settings.MaxTemperature);
        EXPECT_EQ(p.program.colour.CurrentScalePosition, next);
        EXPECT_EQ(p.Colours().back(), CompositionColour(std::clamp(next, 0, 100)));
    }
}

TEST(NetworkFaultTable, AServiceThatTricklesOrSaysNothingEndsAsNoReadingByTheDeadline) {
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent: the fetch never returns" : "one byte a second");
        HostProgram<> p;
        StartWithBounds(p, 0, 30);
        p.internet.BodyPieces.push_back(Reading("9"));
        p.ui.Advance(1000);
        ASSERT_EQ(p.program.weather.CurrentTemperature, 9);
        const std::size_t colours = p.dwm.records.size();

        for (const char byte : Reading("25"))
            p.internet.BodyPieces.emplace_back(1, byte);
        p.internet.BeforeEachRead = [&p] { p.ui.SetTickCount(p.ui.TickCount() + 1000); };
        p.ui.HoldBackgroundJobs(silent);
        const std::uint32_t asked = p.ui.TickCount() + 4000;
        p.ui.Advance(4000 + 14000);
        EXPECT_EQ(p.program.weather.StatusText == Gbk("联网等待…"), !silent) << "within 14 s";
        p.ui.Advance(1000);
        EXPECT_EQ(p.program.weather.StatusText, Gbk("联网等待…"));
        EXPECT_LE(p.ui.TickCount() - asked, 16000u);
        EXPECT_EQ(p.dwm.records.size(), colours);
        EXPECT_EQ(p.program.weather.CurrentTemperature, 9);

        // The silent fetch's late answer is dropped; the next refresh asks again.
        p.internet.BeforeEachRead = nullptr;
        p.ui.HoldBackgroundJobs(false);
        p.ui.FinishHeldJob();
        EXPECT_EQ(p.dwm.records.size(), colours);
        const std::size_t requests = p.internet.CallsNamed("OpenRequest").size();
        p.ui.Advance(4000);
        EXPECT_EQ(p.internet.CallsNamed("OpenRequest").size(), requests + 1);
    }
}

} // namespace
} // namespace korvane::testing
