// The configuration window: filling, city selection, Save, close request and typing completion.
#include "config/autostart.h"
#include "config/city_table.h"
#include "support/gbk.h"
#include "support/program_fixture.h"

namespace korvane::testing {
namespace {

using platform::Hive;
using ui::HandlerId;
using ui::UnitId;
using ui::WindowId;

class ConfigWindowTest : public ProgramTest {
  protected:
    void StartWith(const char* file) {
        if (file) {
            StartConfigured(file);
        } else {
            ASSERT_FALSE(Start().has_value());
        }
        ui.SetVisible(WindowId::Config, true);
    }
    void Type(std::string_view utf8, int key = 'A') { ui.UserTypes(Gbk(utf8), key); }
    void Bounds(std::string_view min, std::string_view max) {
        ui.SetUnitText(UnitId::Edit1, min);
        ui.SetUnitText(UnitId::Edit2, max);
    }
    std::optional<std::string> File() { return files.Content(u"config.ini"); }
    std::string CityText() { return ui.UnitText(UnitId::Combo1); }
};

TEST_F(ConfigWindowTest, CreatedWithoutFile_DefaultsAndNoCity) {
    StartWith(nullptr);
    EXPECT_EQ(ui.ComboCount(), kCityCount);
    EXPECT_EQ(ui.ComboItemText(0), Gbk("阿巴嘎旗"));
    EXPECT_EQ(ui.ComboItemText(733), Gbk("左云"));
    EXPECT_EQ(ui.ComboSelection(), -1);
    EXPECT_EQ(CityText(), "");
    EXPECT_EQ(ui.UnitText(UnitId::Edit1), "0");
    EXPECT_EQ(ui.UnitText(UnitId::Edit2), "40");
    EXPECT_TRUE(ui.IsChecked(UnitId::Check1));
    EXPECT_FALSE(ui.IsChecked(UnitId::Check2));
    EXPECT_EQ(ui.windowIcon(WindowId::Config), ui::IconId::Tray);
}

TEST_F(ConfigWindowTest, CreatedWithFile_ShowsTheCityTheBoundsAndTheGlassChoice) {
    const struct {
        const char* file;
        int selection;
        const char* min;
        const char* max;
        bool glass;
    } cases[] = {
        {"CityId=101010100\r\nMaxTemperature=35.9\r\nMinTemperature=-5.5\r\nOpaque=1", 45, "-5",
         "35", false},
        {"CityId=101071201\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0", 67, "0", "40",
         true},
        {"CityId=101060310\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0", 486, "0", "40",
         true},
        {"CityId=999999999\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0", -1, "0", "40",
         true},
        // Written by hand: the program sets the text whole, the limit of 3 holds for typing only.
        {"CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=-100\r\nOpaque=0", 45, "-100",
         "30", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        HostProgram<ReplyInternet> other;
        other.files.Put(u"config.ini", c.file);
        other.Start();
        ui::HostWindowSystem& windows = other.ui;
        EXPECT_EQ(windows.ComboSelection(), c.selection);
        EXPECT_EQ(windows.UnitText(UnitId::Edit1), c.min);
        EXPECT_EQ(windows.UnitText(UnitId::Edit2), c.max);
        EXPECT_EQ(windows.IsChecked(UnitId::Check1), c.glass);
    }
}

TEST_F(ConfigWindowTest, AutostartBox_TickedWhenEitherHiveHasATextValue) {
    const struct {
        const char* name;
        std::optional<Hive> hive;
        bool nonText;
        bool ticked;
    } cases[] = {
        {"none", std::nullopt, false, false},
        {"machine", Hive::LocalMachine, false, true},
        {"user", Hive::CurrentUser, false, true},
        {"not text", Hive::LocalMachine, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HostProgram<ReplyInternet> other;
        platform::MemoryRegistry& reg = other.registry;
        if (c.hive && c.nonText) reg.PutNonText(*c.hive, kRunKey, u"Korvane.exe");
        if (c.hive && !c.nonText) reg.WriteText(*c.hive, kRunKey, u"Korvane.exe", u"\"x\"");
        other.files.Put(u"config.ini", kBeijingFile);
        other.Start();
        EXPECT_EQ(other.ui.IsChecked(UnitId::Check2), c.ticked);
    }
}

TEST_F(ConfigWindowTest, PickingTheSecondSongjiang_SetsItsCodeAtOnceButSaveStoresTheFirst) {
    StartWith(kBeijingFile);
    ui.UserSelectsItem(487);
    EXPECT_EQ(program.settings.CityId, "101060310");
    EXPECT_EQ(File(), kBeijingFile) << "nothing written before Save";
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(program.settings.CityId, "101020900");
}

TEST_F(ConfigWindowTest, SecondChaoyangConfigured_SavingUntouchedStoresTheFirst) {
    StartWith("CityId=101071201\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0");
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(File(), "CityId=101010300\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0");
}

TEST_F(ConfigWindowTest, Save_WritesReloadsRestartsTheCycleShowsTheIconAndHides) {
    StartWith(nullptr);
    Type("北京");
    Bounds("0", "40");
    ui.SetChecked(UnitId::Check1, true);
    program.TickCount = 7;
    program.weather.StatusText = "status";
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(File(), "CityId=101010100\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0");
    EXPECT_EQ(File()->size(), 63u);
    EXPECT_EQ(program.settings.MaxTemperature, 40);
    EXPECT_EQ(program.TickCount, 0);
    EXPECT_EQ(ui.TimerPeriod(), 1000);
    EXPECT_TRUE(ui.trayShown());
    EXPECT_EQ(ui.trayTip(), "status");
    EXPECT_FALSE(ui.IsVisible(WindowId::Config));
    internet.Reply(Reading("20"));
    ui.Advance(1000);
    EXPECT_EQ(internet.paths(), std::vector<std::string>{"/data/sk/101010100.html"});
}

TEST_F(ConfigWindowTest, Bounds_AcceptedAndRejectedAsTyped) {
    const struct {
        const char* min;
        const char* max;
        bool accepted;
    } cases[] = {
        {"-50", "60", true},
        {"-51", "60", false},
        {"0", "61", false},
        {"20", "29", false},
        {"20", "30", true},
        {"0", "3e1", true},
        {"abc", "10", true},
        {"0", "9.9", false},
        // A typed character GBK cannot hold (1☀, ☀) reads as the stand-in and is refused.
        {"1\xFF\xFF", "30", false},
        {"\xFF\xFF", "30", false},
    };
    StartWith(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.min) + " " + c.max);
        files.Remove(u"config.ini");
        const std::size_t boxes = ui.boxes().size();
        ui.SetVisible(WindowId::Config, true);
        Type("北京");
        Bounds(c.min, c.max);
        Raise(HandlerId::OnSaveClicked);
        if (c.accepted) {
            ASSERT_TRUE(File().has_value());
            EXPECT_NE(File()->find(std::string("MaxTemperature=") + c.max + "\r\n"),
                      std::string::npos);
        } else {
            EXPECT_FALSE(File().has_value());
            ASSERT_EQ(ui.boxes().size(), boxes + 1);
            EXPECT_EQ(ui.boxes().back().text,
                      Gbk("错误的温度值，最高最低温度是指您所在城市一年中可能出现的极端温度值！"));
            EXPECT_EQ(ui.boxes().back().caption, Gbk("错误"));
            EXPECT_EQ(ui.boxes().back().style, 0x2010u);
            EXPECT_TRUE(ui.IsVisible(WindowId::Config));
            EXPECT_EQ(program.settings.CityId, "101010100") << "the city is taken all the same";
        }
    }
}

TEST_F(ConfigWindowTest, ThreeEOneIsReadAsThirtyAndStoredAsTyped) {
    StartWith(nullptr);
    Type("北京");
    Bounds("0", "3e1");
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(File(), "CityId=101010100\r\nMaxTemperature=3e1\r\nMinTemperature=0\r\nOpaque=0");
    EXPECT_EQ(program.settings.MaxTemperature, 30);
}

TEST_F(ConfigWindowTest, HalfACharacterAtTheEndOfABound_IsDroppedSoTheFileReadsBackAsChecked) {
    StartWith(kBeijingFile);
    Bounds("2\xC3", "30");
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(File(), "CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=2\r\nOpaque=0");
    EXPECT_EQ(program.settings.MinTemperature, 2);
    Bounds("-9\xC3", "1");
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(program.settings.MinTemperature, -9) << "not 0, which would leave a span of 1";
    EXPECT_EQ(program.settings.MaxTemperature, 1);
}

TEST_F(ConfigWindowTest, WrongOrEmptyCity_ShowsTheMessageAndWritesNothing) {
    // Typed over a pick (the edit clears the list selection); the last one as typed with a
    // character GBK cannot hold: 北京☀.
    for (const std::string& text :
         {Gbk("纽约"), std::string(), Gbk("北京市"), Gbk("北京") + "\xFF\xFF"}) {
        StartWith(nullptr);
        if (!text.empty()) {
            ui.UserSelectsItem(45); // 北京
            ui.UserTypes(text, 'A');
        } else {
            ui.SetUnitText(UnitId::Combo1, "");
        }
        Raise(HandlerId::OnSaveClicked);
        EXPECT_FALSE(File().has_value()) << text;
        ASSERT_FALSE(ui.boxes().empty());
        EXPECT_EQ(ui.boxes().back().text, Gbk("输入了错误的城市，请重新选择！"));
        EXPECT_EQ(ui.boxes().back().style, 0x2010u);
        EXPECT_TRUE(ui.IsVisible(WindowId::Config));
    }
}

TEST_F(ConfigWindowTest, GlassBox_WritesOpaqueZeroWhenTickedAndOneWhenNot) {
    StartWith(kBeijingFile);
    for (bool glass : {true, false}) {
        ui.SetChecked(UnitId::Check1, glass);
        Raise(HandlerId::OnSaveClicked);
        EXPECT_EQ(File()->substr(File()->size() - 9), glass ? "\nOpaque=0" : "\nOpaque=1");
        EXPECT_EQ(program.settings.Opaque, glass ? 0 : 1);
    }
}

struct PathCase {
    const char* what_it_shows;
    std::u16string path;
    std::u16string folder;
    std::u16string fileName;
};

TEST(ExecutablePath, IsCutIntoFolderAndFileNameAtItsLastBackslash) {
    const PathCase cases[] = {
        {"a folder", u"C:\\Program Files\\Korvane\\Korvane.exe", u"C:\\Program Files\\Korvane",
         u"Korvane.exe"},
        {"a drive's root keeps its backslash: C: alone is the drive's current folder",
         u"C:\\Korvane.exe", u"C:\\", u"Korvane.exe"},
        {"likewise with the long-path prefix", u"\\\\?\\D:\\Korvane.exe", u"\\\\?\\D:\\",
         u"Korvane.exe"},
        {"a share", u"\\\\server\\tools\\Korvane.exe", u"\\\\server\\tools", u"Korvane.exe"},
        {"names outside every code page", u"C:\\Zo\u00EB\\\u5929\u6C14 \u2600\\\u5929.exe",
         u"C:\\Zo\u00EB\\\u5929\u6C14 \u2600", u"\u5929.exe"},
        {"no backslash at all", u"Korvane.exe", u"", u"Korvane.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DirectoryOf(c.path), c.folder) << c.what_it_shows;
        EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.what_it_shows;
    }
}

TEST_F(ConfigWindowTest, Autostart_MachineFirstThenUserWithTheQuotedPathAndRemovedFromBoth) {
    const std::u16string exe = process.executablePath;
    files.Put(exe, "MZ");
    StartWith(kBeijingFile);
    registry.refuseWrites.insert(Hive::LocalMachine);
    ui.SetChecked(UnitId::Check2, true);
    Raise(HandlerId::OnSaveClicked);
    EXPECT_FALSE(registry.Has(Hive::LocalMachine, kRunKey, u"Korvane.exe"));
    EXPECT_EQ(registry.ReadText(Hive::CurrentUser, kRunKey, u"Korvane.exe"), u"\"" + exe + u"\"");

    registry.refuseWrites.clear();
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(registry.ReadText(Hive::LocalMachine, kRunKey, u"Korvane.exe"), u"\"" + exe + u"\"");

    // Unticked: the values go, and a key of that name where no value is (deleted like a key).
    const std::u16string keyNamedLikeTheValue = std::u16string(kRunKey) + u"\\Korvane.exe";
    registry.DeleteValue(Hive::CurrentUser, kRunKey, u"Korvane.exe");
    registry.CreateKey(Hive::CurrentUser, keyNamedLikeTheValue);
    ui.SetChecked(UnitId::Check2, false);
    Raise(HandlerId::OnSaveClicked);
    EXPECT_FALSE(registry.Has(Hive::LocalMachine, kRunKey, u"Korvane.exe"));
    EXPECT_FALSE(registry.Has(Hive::CurrentUser, kRunKey, u"Korvane.exe"));
    EXPECT_FALSE(registry.HasKey(Hive::CurrentUser, keyNamedLikeTheValue));
    EXPECT_TRUE(registry.HasKey(Hive::CurrentUser, kRunKey));
}

TEST_F(ConfigWindowTest, Autostart_ValueNamedAfterTheExecutableAndOnlyWhenItExists) {
    process.executablePath = u"D:\\Apps\\Weather.exe";
    StartWith(kBeijingFile);
    ui.SetChecked(UnitId::Check2, true);
    Raise(HandlerId::OnSaveClicked);
    EXPECT_FALSE(registry.Has(Hive::LocalMachine, kRunKey, u"Weather.exe")) << "no such file";
    files.Put(u"D:\\Apps\\Weather.exe", "MZ");
    Raise(HandlerId::OnSaveClicked);
    EXPECT_EQ(registry.ReadText(Hive::LocalMachine, kRunKey, u"Weather.exe"),
              u"\"D:\\Apps\\Weather.exe\"");
}

TEST_F(ConfigWindowTest, CloseRequest_PutsTheIconBackHidesAndRefuses) {
    StartWith(nullptr);
    EXPECT_FALSE(ui.trayShown());
    EXPECT_FALSE(ui.Raise(HandlerId::OnConfigWindowClosing));
    EXPECT_TRUE(ui.trayShown());
    EXPECT_FALSE(ui.IsVisible(WindowId::Config));
    EXPECT_TRUE(ui.IsLoaded(WindowId::Config));
    EXPECT_EQ(ui.TimerPeriod(), 0) << "closing without Save starts nothing";
}

TEST_F(ConfigWindowTest, Keyboard_FocusInTheCityBoxWhenShownTabInReadingOrderEnterSaves) {
    StartWith(nullptr); // first use shows the window
    EXPECT_EQ(ui.focus(), UnitId::Combo1);
    for (UnitId next : {UnitId::Edit1, UnitId::Edit2, UnitId::Check1, UnitId::Check2, UnitId::Save,
                        UnitId::Combo1}) {
        ui.UserPresses(ui::Key::Tab);
        EXPECT_EQ(ui.focus(), next);
    }
    ui.UserPresses(ui::Key::ShiftTab);
    EXPECT_EQ(ui.focus(), UnitId::Save);
    // Hidden by Esc, shown by a tray click, by 配置, by a second start (it posts OpenConfigWindow).
    ui.ChooseMenuEntry(HandlerId::OpenConfigWindow);
    for (int action : {ui::tray_action::LeftUp, ui::tray_action::RightUpOrMenuKey, 0}) {
        ui.UserPresses(ui::Key::Escape);
        Raise(action ? HandlerId::OnTrayEvent : HandlerId::OpenConfigWindow, action);
        EXPECT_EQ(ui.focus(), UnitId::Combo1) << action;
        ui.UserPresses(ui::Key::Tab);
    }
    Raise(HandlerId::OpenConfigWindow); // shown already: the focus stays
    EXPECT_EQ(ui.focus(), UnitId::Edit1);
    Type("北京");
    ui.UserPresses(ui::Key::Enter); // in the lowest box: a click on Save
    EXPECT_EQ(File(), "CityId=101010100\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0");
    EXPECT_FALSE(ui.IsVisible(WindowId::Config));
}

TEST_F(ConfigWindowTest, SaveThatCannotWrite_NamesTheFileAndKeepsTheWindowTheTickAndTheTimer) {
    StartWith(kBeijingFile);
    Type("上海");
    program.TickCount = 3;
    const std::size_t timerWrites = ui.timerPeriodWrites().size();
    const char* const folderRefuses =
        "无法写入配置文件“%s”，配置没有保存！\r\n请确认这个文件夹可以写入后再试一次。";
    const struct {
        std::u16string folder;
        bool readOnly; // config.ini is marked read-only; otherwise the folder takes no new file
        const char* sentence;
    } cases[] = {
        {u"C:\\Program Files\\Korvane\\", false, folderRefuses},
        {u"D:\\", false, folderRefuses},
        {u"D:\\", true,
         "配置文件“%s”是只读的，配置没有保存！\r\n请去掉这个文件的只读属性后再试一次。"},
    };
    for (const auto& c : cases) {
        files.FailWrites(!c.readOnly);
        if (c.readOnly) files.MakeReadOnly(u"config.ini");
        process.executablePath = c.folder + u"Korvane.exe";
        Raise(HandlerId::OnSaveClicked);
        ASSERT_FALSE(ui.boxes().empty());
        EXPECT_EQ(ui.boxes().back().text, Gbk(c.sentence));
        EXPECT_EQ(File(), kBeijingFile);
        EXPECT_TRUE(ui.boxes().back().path == c.folder + u"config.ini");
        EXPECT_EQ(ui.boxes().back().style, 0x2010u);
        EXPECT_TRUE(ui.IsVisible(WindowId::Config));
        EXPECT_EQ(CityText(), Gbk("上海"));
        EXPECT_EQ(program.TickCount, 3);
        EXPECT_EQ(ui.timerPeriodWrites().size(), timerWrites);
    }
}

TEST_F(ConfigWindowTest, TypingCompletion) {
    StartWith(nullptr);
    // The first character selects the first city that begins with it, rest selected.
    Type("北");
    EXPECT_EQ(CityText(), Gbk("北安"));
    EXPECT_EQ(ui.comboEditSelectionStart(), 2);
    EXPECT_EQ(ui.comboEditSelectionLength(), 2);
    // The chain rule: 本溪 completes and then 本溪县 begins with it.
    Type("本");
    EXPECT_EQ(CityText(), Gbk("本溪县"));
    EXPECT_EQ(ui.ComboSelection(), 50);
    // A text that begins no city is left alone; the edit has cleared the list selection.
    Type("纽约");
    EXPECT_EQ(CityText(), Gbk("纽约"));
    EXPECT_EQ(ui.ComboSelection(), -1);
    // Backspace never completes.
    Type("北", kBackspaceKey);
    EXPECT_EQ(CityText(), Gbk("北"));
    // An emptied field (Delete) matches every item: the first, then names beginning with it.
    Type("", 0x2E);
    EXPECT_EQ(ui.ComboSelection(), 0);
    EXPECT_EQ(program.settings.CityId, "") << "completion is not a user selection";
    EXPECT_EQ(program.LastComboKey, 0x2E);
}

} // namespace
} // namespace korvane::testing
