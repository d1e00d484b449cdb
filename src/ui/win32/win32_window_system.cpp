#include "ui/win32/win32_window_system.h"

#include "ui/win32/window_constants.h"

#include <commctrl.h>

namespace korvane::ui {

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance) : instance_(instance) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    for (WindowId id : {WindowId::Main, WindowId::Config}) {
        Record(id).owner = this;
        Record(id).id = id;
    }
    taskbarCreatedMessage_ = RegisterWindowMessageW(win32::kTaskbarCreatedMessage);
    openConfigMessage_ = RegisterWindowMessageW(win32::kOpenConfigMessage);
    RegisterWindowClasses();
}

Win32WindowSystem::~Win32WindowSystem() {
    RemoveTrayIcon();
    for (WindowRecord& window : windows_)
        if (window.hwnd) ::DestroyWindow(window.hwnd);
}

void Win32WindowSystem::SetEventSink(EventSink* sink) {
    sink_ = sink;
}

} // namespace korvane::ui
