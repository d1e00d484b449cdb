// Building both windows and their controls from the template tables.
#include "ui/win32/win32_window_system.h"

#include "platform/win32/gbk_seam.h"
#include "ui/display_scale.h"
#include "ui/win32/display_metrics.h"
#include "ui/win32/icon_loading.h"
#include "ui/win32/window_constants.h"

#include <commctrl.h>

#include <utility>

namespace korvane::ui {
namespace {

// Fixed single border with caption and close box; no minimise or maximise box, no sizing.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Listed in the taskbar while visible; Tab moves between the controls.
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

struct ControlClass {
    UnitKind kind;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

constexpr ControlClass kControlClasses[] = {
    {UnitKind::Button, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
    {UnitKind::CheckBox, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    {UnitKind::Label, L"STATIC", SS_LEFTNOWORDWRAP, 0},
    {UnitKind::EditBox, L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {UnitKind::ComboBox, L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0},
    {UnitKind::Slider, TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 0},
};

const ControlClass* ControlClassOf(UnitKind kind) {
    for (const ControlClass& control : kControlClasses)
        if (control.kind == kind) return &control;
    return nullptr; // timers and menus are no windows
}

const wchar_t* WindowClassOf(WindowId id) {
    return id == WindowId::Main ? win32::kMainWindowClass : win32::kConfigWindowClass;
}

} // namespace

void Win32WindowSystem::LoadWindow(WindowId window) {
    if (const HWND existing = Record(window).hwnd) {
        BringForward(existing);
        return;
    }
    CreateFromTemplate(TemplateOf(window));
}

void Win32WindowSystem::CreateFromTemplate(const WindowTemplate& pattern) {
    WindowRecord& window = Record(pattern.id);
    const int dpi = win32::SystemDpi();
    if (!interfaceFont_) interfaceFont_ = win32::MakeInterfaceFont(dpi);
    const int width = ScaleToDpi(pattern.width, dpi);
    const int height = ScaleToDpi(pattern.height, dpi);
    const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width);
    const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height);
    const std::wstring caption = platform::WideFromGbk(pattern.caption);
    // The window procedure stores the handle in the record while the window is being created.
    if (!CreateWindowExW(kWindowExStyle, WindowClassOf(pattern.id), caption.c_str(), kWindowStyle,
                         left, top, width, height, nullptr, nullptr, instance_, &window))
        return;
    for (const UnitTemplate& unit : pattern.units)
        CreateUnit(window, unit);
    // Tab walks the controls in their stacking order: the tab order goes on top, first first.
    HWND above = HWND_TOP;
    for (const UnitId id : pattern.tabOrder) {
        if (!UnitWindow(id)) continue;
        SetWindowPos(UnitWindow(id), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = UnitWindow(id);
    }
    if (pattern.hasOwnIcon) SetWindowIcon(pattern.id, IconId::MainWindow);
    if (pattern.id == WindowId::Main) StartTimer();
    if (pattern.visibleWhenLoaded) ShowWindow(window.hwnd, SW_SHOW);
    FireWindowEvent(pattern.id, EventKind::Created, 0, true);
}

void Win32WindowSystem::CreateUnit(WindowRecord& window, const UnitTemplate& unit) {
    if (unit.kind == UnitKind::PopupMenu) BuildPopupMenu(TemplateOf(window.id).menu);
    const ControlClass* control = ControlClassOf(unit.kind);
    if (!control) return;

    const auto index = static_cast<std::size_t>(unit.id);
    const int dpi = win32::SystemDpi();
    const PixelRect place =
        ScaleToDpi(PixelRect{unit.left, unit.top, unit.width, unit.height}, dpi);
    // A combo box's height includes its dropped-down list.
    const int height =
        place.height + (unit.kind == UnitKind::ComboBox ? ScaleToDpi(unit.dropDownHeight, dpi) : 0);
    // The default button (BS_PUSHBUTTON is 0) wears the thicker frame that says Enter clicks it.
    const bool isDefault = TemplateOf(window.id).defaultButton == unit.id;
    const DWORD style = WS_CHILD | (unit.visible ? WS_VISIBLE : 0) | control->style |
                        (isDefault ? BS_DEFPUSHBUTTON : 0);
    const std::wstring caption = platform::WideFromGbk(unit.caption);
    const HWND hwnd = CreateWindowExW(
        control->exStyle, control->className, caption.c_str(), style, place.left, place.top,
        place.width, height, window.hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::kFirstUnitControlId + index)),
        instance_, nullptr);
    if (!hwnd) return;
    units_[index] = hwnd;
    const HGDIOBJ font = interfaceFont_ ? interfaceFont_.get() : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    switch (unit.kind) {
    case UnitKind::EditBox:
        if (unit.limitText > 0) SendMessageW(hwnd, EM_LIMITTEXT, unit.limitText, 0);
        break;
    case UnitKind::Slider:
        SendMessageW(hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(unit.rangeMin, unit.rangeMax));
        SendMessageW(hwnd, TBM_SETTICFREQ, 1, 0);
        SendMessageW(hwnd, TBM_SETLINESIZE, 0, 1);
        SendMessageW(hwnd, TBM_SETPAGESIZE, 0, 1);
        SendMessageW(hwnd, TBM_SETPOS, TRUE, unit.position);
        lastSliderPosition_ = unit.position;
        break;
    case UnitKind::ComboBox:
        SubclassComboEdit(hwnd);
        break;
    default:
        break;
    }
}

void Win32WindowSystem::BuildPopupMenu(std::span<const MenuEntryTemplate> entries) {
    trayMenu_.reset(CreatePopupMenu());
    if (!trayMenu_) return;
    UINT command = win32::kFirstMenuCommand;
    for (const MenuEntryTemplate& entry : entries) {
        const std::wstring caption = platform::WideFromGbk(entry.caption);
        AppendMenuW(trayMenu_.get(), MF_STRING, command++, caption.c_str());
    }
}

void Win32WindowSystem::BringForward(HWND hwnd) {
    if (IsIconic(hwnd))
        ShowWindow(hwnd, SW_RESTORE);
    else
        SetForegroundWindow(hwnd);
}

bool Win32WindowSystem::IsLoaded(WindowId window) {
    return Record(window).hwnd != nullptr;
}

void Win32WindowSystem::DestroyWindow(WindowId window) {
    if (const HWND hwnd = Record(window).hwnd) ::DestroyWindow(hwnd);
}

bool Win32WindowSystem::IsVisible(WindowId window) {
    const HWND hwnd = Record(window).hwnd;
    return hwnd && IsWindowVisible(hwnd);
}

void Win32WindowSystem::SetVisible(WindowId window, bool visible) {
    WindowRecord& record = Record(window);
    const HWND hwnd = record.hwnd;
    if (!hwnd) return;
    // Shown from hidden, the window starts at its first field, as a dialog does (the activation
    // gives the focus back to the field it records).
    const std::span<const UnitId> order = TemplateOf(window).tabOrder;
    const HWND first =
        visible && !IsWindowVisible(hwnd) && !order.empty() ? UnitWindow(order.front()) : nullptr;
    if (first) record.lastFocus = first;
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
    if (!visible) return;
    SetForegroundWindow(hwnd);
    if (!first) return;
    SetFocus(first);
    // Its text selected, as a dialog starts a field: typing replaces it.
    if (FindUnit(TemplateOf(window), order.front())->kind == UnitKind::ComboBox)
        SendMessageW(first, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void Win32WindowSystem::SetBackgroundColour(WindowId window, std::uint32_t colourValue) {
    WindowRecord& record = Record(window);
    record.backgroundColour = colourValue & 0xFFFFFF;
    record.background.reset(CreateSolidBrush(record.backgroundColour));
    if (record.hwnd)
        RedrawWindow(record.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32WindowSystem::SetWindowIcon(WindowId window, IconId icon) {
    WindowRecord& record = Record(window);
    if (!record.hwnd) return;
    win32::UniqueIcon big = win32::LoadIconImage(instance_, icon, win32::IconSize::Large);
    win32::UniqueIcon smallIcon = win32::LoadIconImage(instance_, icon, win32::IconSize::Small);
    SendMessageW(record.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(record.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    // The window no longer shows the previous icons, so they can go now.
    record.bigIcon = std::move(big);
    record.smallIcon = std::move(smallIcon);
}

} // namespace korvane::ui
