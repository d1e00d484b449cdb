#pragma once
// Names of the two windows, their units and the handlers the templates bind.
#include <cstdint>

namespace korvane::ui {

enum class WindowId : std::uint8_t { Main, Config };

enum class UnitKind : std::uint8_t {
    PopupMenu,
    Timer,
    Slider,
    Button,
    CheckBox,
    Label,
    EditBox,
    ComboBox
};

// Units of both windows; the template of each window lists its own in template order.
enum class UnitId : std::uint8_t {
    TrayMenu,  // 托盘菜单
    Timer1,    // 时钟1
    Slider1,   // 滑块条1
    Button1,   // 按钮1
    MainEdit1, // 编辑框1 of the main window
    Save,      // 保存
    Check2,    // 选择框2 (autostart)
    Check1,    // 选择框1 (glass)
    Label5,    // 标签5
    Edit2,     // 编辑框2 (highest temperature)
    Label4,    // 标签4
    Edit1,     // 编辑框1 (lowest temperature)
    Label3,    // 标签3
    Label2,    // 标签2
    Combo1,    // 组合框1
    Label1,    // 标签1
};

// Every handler a template can bind. The program supplies one function per entry.
enum class HandlerId : std::uint8_t {
    None,
    OnMainWindowCreated,
    OnMainWindowClosing,
    OnTrayEvent,
    OnTimerTick,
    OnPreviewSliderMoved,
    OpenConfigWindow,
    ToggleEggMode,
    ExitProgram,
    ShowAuthorBox,
    OnConfigWindowCreated,
    OnConfigWindowClosing,
    OnSaveClicked,
    OnCitySelected,
    CompleteCityName,
    OnCityComboKey,
    OnFetchDone,
};

// The events a template can bind: windows are created, asked to close and (the main window) told
// of tray actions, of the end of the log-on session and of a background job's end; the units
// report their own events.
enum class EventKind : std::uint8_t {
    Created,
    CanClose,
    Tray,
    Clicked,
    Tick,
    PositionChanged,
    ListSelectionChanged,
    EditTextChanged,
    KeyPressed,
    SessionEnding,
    JobDone,
};

// Tray actions delivered with the tray event.
namespace tray_action {
inline constexpr int LeftUp = 1;
inline constexpr int LeftDoubleClick = 2;
inline constexpr int RightUpOrMenuKey = 3;
} // namespace tray_action

// Message-box styles and answers used by the program.
namespace box {
inline constexpr unsigned Error = 0x10;
inline constexpr unsigned YesNoQuestion = 0x24;
inline constexpr unsigned Information = 0x40;
inline constexpr unsigned TaskModal = 0x2000;
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace box

} // namespace korvane::ui
