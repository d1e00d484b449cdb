// The main window's notification-area icon, its mouse events and its pop-up menu.
#include "platform/win32/gbk_seam.h"
#include "ui/display_scale.h"
#include "ui/tray_tip.h"
#include "ui/win32/display_metrics.h"
#include "ui/win32/icon_loading.h"
#include "ui/win32/win32_window_system.h"

#include "ui/win32/scoped_flag.h"
#include "ui/win32/window_constants.h"

#include <shellapi.h>

#include <cwchar>

namespace korvane::ui {
namespace {

struct TrayAction {
    UINT mouseMessage;
    int action;
};

// Every other mouse message over the icon is no event.
constexpr TrayAction kTrayActions[] = {
    {WM_LBUTTONUP, tray_action::LeftUp},
    {WM_LBUTTONDBLCLK, tray_action::LeftDoubleClick},
    {WM_RBUTTONUP, tray_action::RightUpOrMenuKey},
    {WM_CONTEXTMENU, tray_action::RightUpOrMenuKey},
};

} // namespace

bool Win32WindowSystem::NotifyTray(DWORD action) {
    const HWND main = Record(WindowId::Main).hwnd;
    if (!main) return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = main;
    data.uID = win32::kTrayIconId;
    if (action != NIM_DELETE) {
        // A modify carries the tip alone: the icon and the callback stay as the add set them,
        // and the shell need not copy the icon's bitmaps again on every refresh.
        data.uFlags = action == NIM_MODIFY ? NIF_TIP : NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = win32::kTrayCallbackMessage;
        // Without its resource the icon would be an empty, unclickable slot.
        data.hIcon = trayIcon_ ? trayIcon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
        // At most 62 GBK bytes make at most 62 UTF-16 units: the tip always fits whole.
        const std::wstring tip = platform::WideFromGbk(trayTip_);
        static_assert(kTrayTipBytes < std::size(data.szTip));
        std::wcsncpy(data.szTip, tip.c_str(), std::size(data.szTip) - 1);
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

bool Win32WindowSystem::AddTrayIcon(std::string_view tip) {
    trayTip_ = tip;
    return NotifyTray(NIM_ADD);
}

bool Win32WindowSystem::ModifyTrayIcon(std::string_view tip) {
    trayTip_ = tip;
    return NotifyTray(NIM_MODIFY);
}

void Win32WindowSystem::DeleteTrayIcon() {
    NotifyTray(NIM_DELETE);
}

void Win32WindowSystem::SetTrayIcon(std::string_view tip) {
    if (!trayIcon_)
        trayIcon_ = win32::LoadIconImage(instance_, IconId::Tray, win32::IconSize::Small);
    tray_.Set(tip, TickCount());
}

void Win32WindowSystem::RemoveTrayIcon() {
    tray_.Remove();
}

// Explorer (re)started: its new tray knows nothing of our icon.
void Win32WindowSystem::OnTaskbarCreated() {
    tray_.OnShellRestarted(TickCount());
}

void Win32WindowSystem::OnTrayCallback(LPARAM mouseMessage) {
    for (const TrayAction& entry : kTrayActions)
        if (entry.mouseMessage == static_cast<UINT>(mouseMessage))
            FireWindowEvent(WindowId::Main, EventKind::Tray, entry.action, true);
}

void Win32WindowSystem::PopupTrayMenu() {
    const HWND main = Record(WindowId::Main).hwnd;
    if (!main || !trayMenu_) return;
    // The menu closes on a click elsewhere only when its owner is the foreground window, and
    // only after a message has reached that owner once the menu is done.
    SetForegroundWindow(main);
    POINT cursor{};
    GetCursorPos(&cursor);
    const int offset = ScaleToDpi(5, win32::SystemDpi());
    UINT command = 0;
    {
        win32::ScopedFlag menuOpen(menuOpen_);
        command = static_cast<UINT>(
            TrackPopupMenuEx(trayMenu_.get(), TPM_RIGHTALIGN | TPM_RETURNCMD, cursor.x - offset,
                             cursor.y - offset, main, nullptr));
    }
    PostMessageW(main, WM_NULL, 0, 0);

    const std::span<const MenuEntryTemplate> entries = TemplateOf(WindowId::Main).menu;
    if (command < win32::kFirstMenuCommand) return; // closed without a choice
    const std::size_t index = command - win32::kFirstMenuCommand;
    if (index < entries.size() && sink_) sink_->Dispatch(entries[index].handler, 0);
}

} // namespace korvane::ui
