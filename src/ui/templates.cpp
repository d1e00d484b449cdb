#include "ui/templates.h"

#include <array>

namespace korvane::ui {
namespace {

using enum UnitKind;
using enum UnitId;
using H = HandlerId;

// Main window: created, can close and tray events.
constexpr std::array kMainEvents{
    EventBinding{event::Created, H::OnMainWindowCreated},
    EventBinding{event::CanClose, H::OnMainWindowClosing},
    EventBinding{event::Tray, H::OnTrayEvent},
};
constexpr std::array kTimerEvents{EventBinding{event::Tick, H::OnTimerTick}};
constexpr std::array kSliderEvents{EventBinding{event::PositionChanged, H::OnPreviewSliderMoved}};
constexpr std::array kButton1Events{EventBinding{event::Clicked, H::OpenConfigWindow}};

constexpr std::array kTrayMenu{
    MenuEntryTemplate{"\xC5\xE4\xD6\xC3", H::OpenConfigWindow}, // 配置
    MenuEntryTemplate{"\xB2\xCA\xB5\xB0", H::ToggleEggMode},    // 彩蛋
    MenuEntryTemplate{"\xCD\xCB\xB3\xF6", H::ExitProgram},      // 退出
    MenuEntryTemplate{"\xD7\xF7\xD5\xDF", H::ShowAuthorBox},    // 作者
};

constexpr std::array kMainUnits{
    UnitTemplate{
        PopupMenu, TrayMenu, "\xCD\xD0\xC5\xCC\xB2\xCB\xB5\xA5", 0, 0, 0, 0, false, "", {}},
    UnitTemplate{Timer, Timer1,
                 "\xCA\xB1\xD6\xD3"
                 "1",
                 136, 184, 32, 32, false, "", kTimerEvents},
    UnitTemplate{Slider, Slider1,
                 "\xBB\xAC\xBF\xE9\xCC\xF5"
                 "1",
                 32, 128, 240, 40, true, "", kSliderEvents, 0, 1, 100, 1},
    UnitTemplate{Button, Button1,
                 "\xB0\xB4\xC5\xA5"
                 "1",
                 248, 40, 56, 32, true, "", kButton1Events},
    UnitTemplate{EditBox,
                 MainEdit1,
                 "\xB1\xE0\xBC\xAD\xBF\xF2"
                 "1",
                 48,
                 32,
                 96,
                 40,
                 true,
                 "",
                 {}},
};

// Configuration window.
constexpr std::array kConfigEvents{
    EventBinding{event::Created, H::OnConfigWindowCreated},
    EventBinding{event::CanClose, H::OnConfigWindowClosing},
};
constexpr std::array kSaveEvents{EventBinding{event::Clicked, H::OnSaveClicked}};
constexpr std::array kComboEvents{
    EventBinding{event::ListSelectionChanged, H::OnCitySelected},
    EventBinding{event::EditTextChanged, H::CompleteCityName},
    EventBinding{event::KeyPressed, H::OnCityComboKey},
};

constexpr const char kCelsius[] = "\xA1\xE6"; // ℃

constexpr std::array kConfigUnits{
    UnitTemplate{Button, Save, "\xB1\xA3\xB4\xE6", 147, 100, 56, 32, true,
                 "\xB1\xA3\xB4\xE6\xC5\xE4\xD6\xC3", kSaveEvents}, // 保存 "保存配置"
    UnitTemplate{CheckBox,
                 Check2,
                 "\xD1\xA1\xD4\xF1\xBF\xF2"
                 "2",
                 16,
                 113,
                 128,
                 16,
                 true,
                 "\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0",
                 {}}, // "开机自动运行"
    UnitTemplate{CheckBox,
                 Check1,
                 "\xD1\xA1\xD4\xF1\xBF\xF2"
                 "1",
                 16,
                 92,
                 136,
                 16,
                 true,
                 "\xC6\xF4\xD3\xC3\xCD\xB8\xC3\xF7\xC3\xAB\xB2\xA3\xC1\xA7\xD0\xA7\xB9\xFB",
                 {}}, // "启用透明毛玻璃效果"
    UnitTemplate{Label,
                 Label5,
                 "\xB1\xEA\xC7\xA9"
                 "5",
                 186,
                 69,
                 24,
                 16,
                 true,
                 kCelsius,
                 {}},
    UnitTemplate{EditBox,
                 Edit2,
                 "\xB1\xE0\xBC\xAD\xBF\xF2"
                 "2",
                 88,
                 68,
                 88,
                 20,
                 true,
                 "",
                 {},
                 3},
    UnitTemplate{Label,
                 Label4,
                 "\xB1\xEA\xC7\xA9"
                 "4",
                 186,
                 42,
                 24,
                 16,
                 true,
                 kCelsius,
                 {}},
    UnitTemplate{EditBox,
                 Edit1,
                 "\xB1\xE0\xBC\xAD\xBF\xF2"
                 "1",
                 88,
                 41,
                 88,
                 20,
                 true,
                 "",
                 {},
                 3},
    UnitTemplate{Label,
                 Label3,
                 "\xB1\xEA\xC7\xA9"
                 "3",
                 17,
                 41,
                 64,
                 16,
                 true,
                 "\xD7\xEE\xB5\xCD\xC6\xF8\xCE\xC2\xA3\xBA",
                 {}}, // "最低气温："
    UnitTemplate{Label,
                 Label2,
                 "\xB1\xEA\xC7\xA9"
                 "2",
                 17,
                 67,
                 64,
                 16,
                 true,
                 "\xD7\xEE\xB8\xDF\xC6\xF8\xCE\xC2\xA3\xBA",
                 {}}, // "最高气温："
    UnitTemplate{ComboBox, Combo1,
                 "\xD7\xE9\xBA\xCF\xBF\xF2"
                 "1",
                 88, 14, 112, 20, true, "", kComboEvents, 0, 0, 0, 0, 160},
    UnitTemplate{Label,
                 Label1,
                 "\xB1\xEA\xC7\xA9"
                 "1",
                 17,
                 14,
                 56,
                 16,
                 true,
                 "\xCB\xF9\xB4\xA6\xB3\xC7\xCA\xD0\xA3\xBA",
                 {}}, // "所处城市："
};

constexpr WindowTemplate kMainWindow{WindowId::Main, "",   50,          50,         380,      281,
                                     false,          true, kMainEvents, kMainUnits, kTrayMenu};
constexpr WindowTemplate kConfigWindow{WindowId::Config,
                                       "\xD0\xDE\xB8\xC4\xC5\xE4\xD6\xC3", // 修改配置
                                       50,
                                       50,
                                       229,
                                       174,
                                       false,
                                       false,
                                       kConfigEvents,
                                       kConfigUnits,
                                       {}};

} // namespace

const WindowTemplate& TemplateOf(WindowId id) {
    return id == WindowId::Main ? kMainWindow : kConfigWindow;
}

const UnitTemplate* FindUnit(const WindowTemplate& window, UnitId id) {
    for (const UnitTemplate& unit : window.units)
        if (unit.id == id) return &unit;
    return nullptr;
}

WindowId WindowOfUnit(UnitId id) {
    return FindUnit(kMainWindow, id) ? WindowId::Main : WindowId::Config;
}

} // namespace korvane::ui
