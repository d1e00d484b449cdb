#include "ui/templates.h"

#include "text/texts.h"

#include <array>

namespace korvane::ui {
namespace {

using enum UnitKind;
using enum UnitId;
using H = HandlerId;

// Main window: created, can close and tray events; Windows ending the log-on session ends the
// program as 退出 does; the end of a weather fetch brings its reading.
constexpr std::array kMainEvents{
    EventBinding{EventKind::Created, H::OnMainWindowCreated},
    EventBinding{EventKind::CanClose, H::OnMainWindowClosing},
    EventBinding{EventKind::Tray, H::OnTrayEvent},
    EventBinding{EventKind::SessionEnding, H::ExitProgram},
    EventBinding{EventKind::JobDone, H::OnFetchDone},
};
constexpr std::array kTimerEvents{EventBinding{EventKind::Tick, H::OnTimerTick}};
constexpr std::array kSliderEvents{
    EventBinding{EventKind::PositionChanged, H::OnPreviewSliderMoved}};
constexpr std::array kButton1Events{EventBinding{EventKind::Clicked, H::OpenConfigWindow}};

constexpr std::array kTrayMenu{
    MenuEntryTemplate{texts::kMenuConfigure, H::OpenConfigWindow},
    MenuEntryTemplate{texts::kMenuEgg, H::ToggleEggMode},
    MenuEntryTemplate{texts::kMenuExit, H::ExitProgram},
    MenuEntryTemplate{texts::kMenuAuthor, H::ShowAuthorBox},
};

// Units: kind, id, name, left, top, width, height, visible, caption, events, then the properties
// of the kind.
constexpr std::array kMainUnits{
    UnitTemplate{PopupMenu, TrayMenu, texts::kTrayMenuName, 0, 0, 0, 0, false, "", {}},
    UnitTemplate{Timer, Timer1, texts::kTimer1Name, 136, 184, 32, 32, false, "", kTimerEvents},
    UnitTemplate{Slider, Slider1, texts::kSlider1Name, 32, 128, 240, 40, true, "", kSliderEvents, 0,
                 1, 100, 1},
    UnitTemplate{Button, Button1, texts::kButton1Name, 248, 40, 56, 32, true, "", kButton1Events},
    UnitTemplate{EditBox, MainEdit1, texts::kEdit1Name, 48, 32, 96, 40, true, "", {}},
};

// Configuration window.
constexpr std::array kConfigEvents{
    EventBinding{EventKind::Created, H::OnConfigWindowCreated},
    EventBinding{EventKind::CanClose, H::OnConfigWindowClosing},
};
constexpr std::array kSaveEvents{EventBinding{EventKind::Clicked, H::OnSaveClicked}};
constexpr std::array kComboEvents{
    EventBinding{EventKind::ListSelectionChanged, H::OnCitySelected},
    EventBinding{EventKind::EditTextChanged, H::CompleteCityName},
    EventBinding{EventKind::KeyPressed, H::OnCityComboKey},
};

constexpr std::array kConfigUnits{
    UnitTemplate{Button, Save, texts::kSaveName, 147, 100, 56, 32, true, texts::kSaveButton,
                 kSaveEvents},
    UnitTemplate{
        CheckBox, Check2, texts::kCheck2Name, 16, 113, 128, 16, true, texts::kAutostartCheck, {}},
    UnitTemplate{
        CheckBox, Check1, texts::kCheck1Name, 16, 92, 136, 16, true, texts::kGlassCheck, {}},
    UnitTemplate{Label, Label5, texts::kLabel5Name, 186, 69, 24, 16, true, texts::kCelsius, {}},
    UnitTemplate{EditBox, Edit2, texts::kEdit2Name, 88, 68, 88, 20, true, "", {}, 3},
    UnitTemplate{Label, Label4, texts::kLabel4Name, 186, 42, 24, 16, true, texts::kCelsius, {}},
    UnitTemplate{EditBox, Edit1, texts::kEdit1Name, 88, 41, 88, 20, true, "", {}, 3},
    UnitTemplate{Label, Label3, texts::kLabel3Name, 17, 41, 64, 16, true, texts::kLowestLabel, {}},
    UnitTemplate{Label, Label2, texts::kLabel2Name, 17, 67, 64, 16, true, texts::kHighestLabel, {}},
    UnitTemplate{ComboBox, Combo1, texts::kCombo1Name, 88, 14, 112, 20, true, "", kComboEvents, 0,
                 0, 0, 0, 160},
    UnitTemplate{Label, Label1, texts::kLabel1Name, 17, 14, 56, 16, true, texts::kCityLabel, {}},
};

// Tab walks the rows as they read: city, lowest, highest, glass, autostart, Save.
constexpr std::array kConfigTabOrder{Combo1, Edit1, Edit2, Check1, Check2, Save};

// Windows: id, caption, left, top, width, height, visible when loaded, own icon, events, units,
// menu, tab order, default button.
// clang-format off
constexpr WindowTemplate kMainWindow{WindowId::Main, "", 50, 50, 380, 281, false, true,
                                     kMainEvents, kMainUnits, kTrayMenu};
constexpr WindowTemplate kConfigWindow{WindowId::Config, texts::kConfigWindowCaption, 50, 50, 229,
                                       174, false, false, kConfigEvents, kConfigUnits, {},
                                       kConfigTabOrder, Save};
// clang-format on

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
