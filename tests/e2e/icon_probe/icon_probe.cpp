// icon_probe: builds the program's main window through the window-system interface, sets its
// tray icon and answers, as one JSON line, the pixel sizes of the icons the window system loaded
// (the tray icon as handed to the shell, the window's own big and small icons) beside the
// system's icon sizes at the display's DPI. It carries the program's resources, manifest included,
// so it is DPI aware as the program is.
//
// The shell is replaced at link time: the import slot of Shell_NotifyIconW points at a recorder,
// so no icon reaches the real notification area and the handle can be read in this process.
#include "ui/win32/win32_window_system.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>

namespace {

struct IconSize {
    long width = 0, height = 0;
};

IconSize SizeOf(HICON icon) {
    IconSize size;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return size;
    BITMAP bitmap{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2}; // a monochrome icon: mask over image
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

IconSize trayIcon;
int trayAdds = 0;

BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAW data) {
    if (action == NIM_ADD || action == NIM_MODIFY) {
        ++trayAdds;
        trayIcon = SizeOf(data->hIcon);
    }
    return TRUE;
}

IconSize WindowIcon(HWND window, WPARAM which) {
    return SizeOf(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)));
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

#ifdef _WIN64
#define KORVANE_NOTIFY_SLOT "__imp_Shell_NotifyIconW"
#else
#define KORVANE_NOTIFY_SLOT "__imp__Shell_NotifyIconW@8"
#endif
extern "C" {
decltype(&Shell_NotifyIconW) notifyIconSlot __asm__(KORVANE_NOTIFY_SLOT) = &RecordNotifyIcon;
}

int main() {
    using namespace korvane::ui;
    Win32WindowSystem windows(GetModuleHandleW(nullptr));
    windows.LoadWindow(WindowId::Main);
    windows.SetTrayIcon("");
    const HWND main = FindWindowW(L"Korvane.MainWindow", nullptr);
    const IconSize big = WindowIcon(main, ICON_BIG), small = WindowIcon(main, ICON_SMALL);
    std::printf("{\"kind\":\"icons\",\"dpi\":%d,\"system_small\":%d,\"system_large\":%d,"
                "\"tray_adds\":%d,\"tray_width\":%ld,\"tray_height\":%ld,"
                "\"big_width\":%ld,\"big_height\":%ld,\"small_width\":%ld,\"small_height\":%ld}\n",
                ScreenDpi(), GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON), trayAdds,
                trayIcon.width, trayIcon.height, big.width, big.height, small.width, small.height);
    windows.RemoveTrayIcon();
    return trayAdds > 0 ? 0 : 1;
}
