// The window classes of both windows and the window procedure that routes their messages.
#include "ui/win32/win32_window_system.h"

#include "platform/win32/runtime_functions.h"
#include "ui/win32/window_constants.h"

namespace korvane::ui {

void Win32WindowSystem::RegisterWindowClasses() {
    for (const wchar_t* className : {win32::kMainWindowClass, win32::kConfigWindowClass}) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Win32WindowSystem::WindowThunk;
        windowClass.hInstance = instance_;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        // Fails harmlessly when a second window system in the process registered it already.
        RegisterClassExW(&windowClass);
    }
}

LRESULT CALLBACK Win32WindowSystem::WindowThunk(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* record = static_cast<WindowRecord*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        record->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }
    auto* record = reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!record) return DefWindowProcW(hwnd, message, wParam, lParam);
    return record->owner->WindowProcedure(*record, message, wParam, lParam);
}

LRESULT Win32WindowSystem::WindowProcedure(WindowRecord& window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
    const HWND hwnd = window.hwnd;
    const bool isMain = window.id == WindowId::Main;
    switch (message) {
    case WM_CREATE:
        // Started elevated, the program would not hear a restarted Explorer announce itself:
        // its broadcast comes from a lower integrity level. Where the call is missing (Vista),
        // the icon comes back with the next reading, whose modify fails and adds it afresh.
        if (isMain) {
            if (const auto allow =
                    platform::IfPresent<platform::RuntimeFunction::ChangeWindowMessageFilterEx>())
                allow(hwnd, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
        }
        break;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        return 0;
    case WM_HSCROLL:
        if (lParam && reinterpret_cast<HWND>(lParam) == UnitWindow(UnitId::Slider1))
            OnSliderScrolled();
        return 0;
    case WM_TIMER:
        if (isMain && wParam == win32::kTimerId) {
            tray_.Retry(TickCount()); // a refused icon (no tray yet at log-on) is offered again
            FireUnitEvent(UnitId::Timer1, EventKind::Tick, 0);
        }
        return 0;
    case WM_CLOSE:
        OnCloseRequest(window);
        return 0;
    case DM_GETDEFID:
        // IsDialogMessageW asks for the default button: Enter is a click on it, and it keeps the
        // frame that says so while the focus is elsewhere.
        if (const auto button = TemplateOf(window.id).defaultButton)
            return MAKELRESULT(win32::kFirstUnitControlId + static_cast<int>(*button), DC_HASDEFID);
        break;
    case win32::kTrayCallbackMessage:
        if (isMain) OnTrayCallback(lParam);
        return 0;
    case win32::kJobDoneMessage:
        if (isMain) FireWindowEvent(WindowId::Main, EventKind::JobDone, 0, true);
        return 0;
    case WM_ERASEBKGND:
        if (window.background) {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, window.background.get());
            return 1;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (window.background) {
            SetBkColor(reinterpret_cast<HDC>(wParam), window.backgroundColour);
            return reinterpret_cast<LRESULT>(window.background.get());
        }
        break;
    case WM_ACTIVATE:
        // Like a dialog: the control that had the focus gets it back on reactivation.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) window.lastFocus = focus;
        } else if (window.lastFocus && IsWindow(window.lastFocus)) {
            SetFocus(window.lastFocus);
            return 0;
        }
        break;
    case WM_ENDSESSION:
        // Windows ends the log-on session and may end the process any time after this returns.
        if (isMain && wParam) FireWindowEvent(WindowId::Main, EventKind::SessionEnding, 0, true);
        return 0;
    case WM_DESTROY:
        if (isMain) {
            // An icon left behind would stay in the tray until the mouse passes over it.
            RemoveTrayIcon();
            PostQuitMessage(0);
        }
        break;
    case WM_NCDESTROY:
        OnDestroyed(window);
        break;
    default:
        if (isMain && message != 0 && message == taskbarCreatedMessage_) {
            OnTaskbarCreated();
            return 0;
        }
        if (isMain && message != 0 && message == openConfigMessage_) {
            if (sink_) sink_->Dispatch(HandlerId::OpenConfigWindow, 0);
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32WindowSystem::OnCommand(WindowRecord& window, WPARAM wParam, LPARAM) {
    const int controlId = LOWORD(wParam);
    const int code = HIWORD(wParam);
    // IsDialogMessageW turns Esc into IDCANCEL: a request to close, as from the close box.
    if (controlId == IDCANCEL) {
        SendMessageW(window.hwnd, WM_CLOSE, 0, 0);
        return;
    }
    const UnitTemplate* unit = UnitOfControl(controlId);
    if (!unit) return;
    switch (unit->kind) {
    case UnitKind::Button:
        if (code == BN_CLICKED) Fire(unit->events, EventKind::Clicked, 0, true);
        break;
    case UnitKind::ComboBox:
        if (programChangesCombo_) break;
        if (code == CBN_SELCHANGE) Fire(unit->events, EventKind::ListSelectionChanged, 0, true);
        if (code == CBN_EDITCHANGE) Fire(unit->events, EventKind::EditTextChanged, 0, true);
        break;
    default:
        break;
    }
}

void Win32WindowSystem::OnCloseRequest(WindowRecord& window) {
    if (FireWindowEvent(window.id, EventKind::CanClose, 0, true)) ::DestroyWindow(window.hwnd);
}

void Win32WindowSystem::OnDestroyed(WindowRecord& window) {
    SetWindowLongPtrW(window.hwnd, GWLP_USERDATA, 0);
    for (const UnitTemplate& unit : TemplateOf(window.id).units)
        units_[static_cast<std::size_t>(unit.id)] = nullptr;
    if (window.id == WindowId::Main) trayMenu_.reset();
    window.hwnd = nullptr;
    window.lastFocus = nullptr;
}

} // namespace korvane::ui
