// A document through a refresh: the reading by its quoted keys, and the temperature, status line,
// scale position, colour and tray tip the program makes of it.
#include "colour/ramp.h"
#include "support/gbk.h"
#include "support/program_fixture.h"
#include "ui/tray_tip.h"

namespace korvane::testing {
namespace {

class ConditionsTest : public ProgramTest {
  protected:
    void SetUp() override { StartConfigured(); }
    void Parse(std::string_view utf8, int min, int max) {
        program.settings.MinTemperature = min;
        program.settings.MaxTemperature = max;
        program.colour.CurrentScalePosition = kNoColourYet; // applied at once
        internet.Reply(std::string(utf8));
        Refresh();
    }
};

std::string Document(std::string_view temp, std::string_view wd = "东南风",
                     std::string_view ws = "2级") {
    return std::string(R"({"weatherinfo":{"city":"北京","temp":")") + std::string(temp) +
           R"(","WD":")" + std::string(wd) + R"(","WS":")" + std::string(ws) +
           R"(","time":"10:25"}})";
}

TEST_F(ConditionsTest, Readings_GiveTemperaturePositionAndStatus) {
    const struct {
        std::string document;
        int min, max;
        int temperature;
        int position;
        const char* status;
    } cases[] = {
        {Document("9"), 0, 30, 9, 30, "当前 9℃ 东南风2级\r\n"},
        {Document("-3"), -10, 40, -3, 14, "当前 -3℃ 东南风2级\r\n"},
        {Document("-11"), -10, 20, -11, -3, "当前 -11℃ 东南风2级\r\n"},
        {Document("12.7"), 0, 40, 12, 30, "当前 12℃ 东南风2级\r\n"},
        {Document("１８"), 0, 40, 18, 45, "当前 18℃ 东南风2级\r\n"},
        {Document("35"), 0, 30, 35, 116, "当前 35℃ 东南风2级\r\n"},
        {Document("25"), 20, 20, 25, 0, "当前 25℃ 东南风2级\r\n"},
        {R"({"temp":"7","WS":"3级"})", 0, 70, 7, 10, "当前 7℃ 3级\r\n"},
        {R"({"temp":"7"})", 0, 70, 7, 10, "当前 7℃ \r\n"},
        {R"({"temperature":"99","temp":"7"})", 0, 70, 7, 10, "当前 7℃ \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        dwm.records.clear();
        Parse(c.document, c.min, c.max);
        EXPECT_EQ(program.weather.CurrentTemperature, c.temperature);
        EXPECT_EQ(program.weather.StatusText, Gbk(c.status));
        EXPECT_EQ(program.colour.CurrentScalePosition, c.position);
        ASSERT_EQ(dwm.records.size(), 1u);
        EXPECT_EQ(dwm.records[0].Colour, CompositionColour(c.position));
        EXPECT_EQ(ui.trayTip(), ui::TrayTipText(Gbk(c.status)));
    }
}

TEST_F(ConditionsTest, NoTemperature_ShowsWaitingAndChangesNothingElse) {
    Parse(Document("9"), 0, 30);
    const std::string tip = ui.trayTip();
    const std::string texts[] = {
        "", "{}", R"({"TEMP":"9","WD":"x"})", R"({"temperature":"9"})",
        "<html>404 Not Found</html>", "<html>503 Service temporarily unavailable</html>",
        R"(<form action="login">Hotel Wi-Fi: <input name="temp_pass"></form>)",
        // Placeholders where the temperature should be are the service saying it has none.
        Document(""), Document("暂无实况"), Document("-"), Document("N/A"), R"({"temp":"9)"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        dwm.records.clear();
        internet.Reply(text);
        Refresh();
        EXPECT_EQ(program.weather.StatusText, Gbk("联网等待…"));
        EXPECT_EQ(program.weather.CurrentTemperature, 9);
        EXPECT_TRUE(dwm.records.empty());
        EXPECT_EQ(ui.trayTip(), tip);
    }
}

TEST_F(ConditionsTest, ConfigWindowShown_UpdatesStatusAndColourButNotTheTip) {
    Parse(Document("9"), 0, 30);
    ui.SetVisible(ui::WindowId::Config, true);
    Parse(Document("15"), 0, 30);
    EXPECT_EQ(program.weather.StatusText, Gbk("当前 15℃ 东南风2级\r\n"));
    EXPECT_EQ(dwm.records.back().Colour, CompositionColour(50));
    EXPECT_EQ(ui.trayTip(), Gbk("当前 9℃ 东南风2级\r\n"));
}

// The live document's one line of script.
std::string LiveDocument(std::string_view temp) {
    return std::string(
               R"(var dataSK={"nameen":"beijing","cityname":"北京","city":"101010100","temp":")") +
           std::string(temp) + R"(","tempf":"38.1","WD":"西北风","WS":"2级","time":"14:35"})";
}

TEST_F(ConditionsTest, ALivePlaceholderIsNoReading_TheStationDocumentAnswersInTheSameRefresh) {
    for (const char* placeholder : {"999", "暂无", ""}) {
        SCOPED_TRACE(placeholder);
        program.live = LiveRecord{}; // as at start: the live document is asked first
        internet.ReplyLive(LiveDocument(placeholder));
        internet.Reply(Document("-3"));
        const std::size_t asked = internet.paths().size();
        Refresh();
        ASSERT_EQ(internet.paths().size(), asked + 2);
        EXPECT_EQ(internet.paths().back(), "/data/sk/101010100.html");
        EXPECT_EQ(program.weather.StatusText, Gbk("当前 -3℃ 东南风2级\r\n"));
    }
}

TEST_F(ConditionsTest, AReadingBelongsToItsStation_ANewCityAsksTheLiveDocumentAtOnce) {
    ui.HoldBackgroundJobs(true);
    internet.ReplyLive(LiveDocument("3.4"));
    ui.Advance(1000); // the first refresh hangs
    ASSERT_TRUE(ui.JobHeld());
    const std::size_t colours = dwm.records.size();
    program.settings.CityId = "101020100"; // saved with 上海 while the fetch is out
    ui.HoldBackgroundJobs(false);
    ui.FinishHeldJob();
    EXPECT_EQ(dwm.records.size(), colours) << "the old station's reading is not applied";

    internet.ReplyLive(LiveDocument("3.4"));
    ui.Advance(4000);
    ASSERT_FALSE(internet.paths().empty());
    EXPECT_EQ(internet.paths().back().rfind("/sk_2d/101020100.html?_=", 0), 0u);
    EXPECT_EQ(program.weather.CurrentTemperature, 3);
}

} // namespace
} // namespace korvane::testing
