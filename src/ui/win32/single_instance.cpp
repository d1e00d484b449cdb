// One Korvane per log-on session; a second start opens the first one's configuration window.
#include "platform/win32/runtime_functions.h"
#include "ui/win32/win32_window_system.h"
#include "ui/win32/window_constants.h"

namespace korvane::ui {

bool Win32WindowSystem::ClaimSingleInstance() {
    if (instanceMutex_) return true;
    instanceMutex_.reset(CreateMutexW(nullptr, FALSE, win32::kSingleInstanceMutex));
    const bool alreadyRunning = GetLastError() == ERROR_ALREADY_EXISTS;
    // Without a mutex nothing can be told apart: run rather than refuse.
    if (!instanceMutex_ || !alreadyRunning) return true;
    instanceMutex_.reset();
    const HWND first = FindWindowW(win32::kMainWindowClass, nullptr);
    if (!first) return false;
    // This start came from the user and may take the foreground: it hands that right to the first
    // one, whose configuration window would otherwise open behind the others.
    DWORD firstProcess = 0;
    GetWindowThreadProcessId(first, &firstProcess);
    if (const auto allow =
            platform::IfPresent<platform::RuntimeFunction::AllowSetForegroundWindow>())
        allow(firstProcess);
    PostMessageW(first, openConfigMessage_, 0, 0);
    return false;
}

} // namespace korvane::ui
