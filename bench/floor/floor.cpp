// The floor: the least a resident tray program needs (a hidden window, a tray icon and a
// one-second timer whose ticks do nothing), built like Korvane.exe, so that Korvane's size,
// memory and processor time can be read against what any such program costs under Wine.
// With FLOOR_WITH_PLATFORM_LIBRARIES (and the manifest of floor_libraries.rc) it also loads the
// libraries Korvane.exe loads at start-up, WinINet and the version 6 common controls, so that
// their memory can be told from the program's own.
// With FLOOR_FETCH as well, every fourth tick makes the WinINet request of Korvane's refresh,
// call for call (one session with its time-outs; per fetch a connection with the time-outs, the
// proxy options, the request, its length and the reads), and throws the body away: what memory
// grows in this program over days is WinINet's, not Korvane's.
#if defined(FLOOR_FETCH) && !defined(FLOOR_WITH_PLATFORM_LIBRARIES)
#define FLOOR_WITH_PLATFORM_LIBRARIES
#endif
#include <windows.h>
#include <shellapi.h>
#ifdef FLOOR_WITH_PLATFORM_LIBRARIES
#include <commctrl.h>
#include <wininet.h>
#endif
#ifdef FLOOR_FETCH
#include <stdlib.h>
#endif

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMilliseconds = 1000;

#ifdef FLOOR_FETCH
constexpr int kTicksPerFetch = 4;
constexpr DWORD kTimeoutMilliseconds = 10000;
constexpr DWORD kLargestChunk = 102400;
constexpr DWORD kChunkWhenLengthUnknown = 10240;
constexpr DWORD kMaxBodyBytes = 1024 * 1024;
HINTERNET session;
int ticks;

void SetTimeOuts(HINTERNET handle) {
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT};
    for (DWORD option : options) {
        DWORD value = kTimeoutMilliseconds;
        InternetSetOptionA(handle, option, &value, sizeof value);
    }
}

void Fetch() {
    if (!session) {
        session = InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                                INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        if (!session) return;
        SetTimeOuts(session);
    }
    const HINTERNET connection = InternetConnectA(session, "www.weather.com.cn", 80, nullptr,
                                                  nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!connection) return;
    SetTimeOuts(connection);
    INTERNET_PROXY_INFO proxy{};
    proxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
    InternetSetOptionA(session, INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
    char empty[1] = {};
    InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, empty, sizeof empty);
    InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, empty, sizeof empty);
    LPCSTR acceptTypes[] = {"Accept: */* \r\n", nullptr};
    const HINTERNET request =
        HttpOpenRequestA(connection, "GET", "/data/sk/101010100.html", "HTTP/1.0", nullptr,
                         acceptTypes, INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE, 0);
    if (!request) {
        InternetCloseHandle(connection);
        return;
    }
    char headers[] = "Accept: */*\r\n\r\n";
    if (HttpSendRequestA(request, headers, sizeof headers - 1, nullptr, 0)) {
        char lengthText[32] = {};
        DWORD lengthSize = sizeof lengthText;
        DWORD chunk = kChunkWhenLengthUnknown;
        if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, lengthText, &lengthSize, nullptr)) {
            const long length = atol(lengthText);
            if (length > 0) chunk = length + 1 < (long)kLargestChunk ? length + 1 : kLargestChunk;
        }
        char* buffer = static_cast<char*>(malloc(chunk));
        DWORD total = 0, read = 0;
        while (buffer && total < kMaxBodyBytes &&
               InternetReadFile(request, buffer,
                                chunk < kMaxBodyBytes - total ? chunk : kMaxBodyBytes - total,
                                &read) &&
               read > 0)
            total += read;
        free(buffer);
    }
    InternetCloseHandle(request);
    InternetCloseHandle(connection);
}
#endif

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
#ifdef FLOOR_FETCH
        if (ticks++ % kTicksPerFetch == 0) Fetch();
#endif
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
