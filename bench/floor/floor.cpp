// The floor: the least a resident tray program needs (a hidden window, a tray icon and a
// one-second timer whose ticks do nothing), built like Korvane.exe, so that Korvane's size,
// memory and processor time can be read against what any such program costs under Wine.
// With FLOOR_WITH_PLATFORM_LIBRARIES (and the manifest of floor_libraries.rc) it also loads the
// libraries Korvane.exe loads at start-up, WinINet and the version 6 common controls, so that
// their memory can be told from the program's own.
#include <windows.h>
#include <shellapi.h>
#ifdef FLOOR_WITH_PLATFORM_LIBRARIES
#include <commctrl.h>
#include <wininet.h>
#endif

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMilliseconds = 1000;

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "KorvaneFloor";
    if (!RegisterClassA(&windowClass)) return 1;
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "KorvaneFloor",
                                        WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr);
    if (!window) return 1;
#ifdef FLOOR_WITH_PLATFORM_LIBRARIES
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD, 0, 0, 100, 20, window, nullptr, instance,
                    nullptr);
    InternetCloseHandle(InternetOpenA("KorvaneFloor", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
#endif

    NOTIFYICONDATAA tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = window;
    tray.uID = kTrayIconId;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(tray.szTip, "Floor", sizeof tray.szTip);
    Shell_NotifyIconA(NIM_ADD, &tray);
    SetTimer(window, kTimerId, kTimerPeriodMilliseconds, nullptr);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Shell_NotifyIconA(NIM_DELETE, &tray);
    return static_cast<int>(message.wParam);
}
