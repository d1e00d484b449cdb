// The event loop, the processing of pending messages, waiting, message boxes and process exit.
#include "ui/win32/win32_window_system.h"

#include "platform/win32/gbk_seam.h"

namespace korvane::ui {

// Both windows behave like dialogs: Tab moves between controls and Esc asks to close.
void Win32WindowSystem::TranslateAndDispatch(MSG& message) {
    for (const WindowRecord& window : windows_)
        if (window.hwnd && IsDialogMessageW(window.hwnd, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32WindowSystem::RunEventLoop() {
    MSG message{};
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0)
        TranslateAndDispatch(message);
    return result == 0 ? static_cast<int>(message.wParam) : -1;
}

// A quit message is left queued so that the event loop, not a wait inside a handler, sees it.
void Win32WindowSystem::ProcessPendingMessages() {
    // A colour walk does not start while the tray menu is open (it is kept until the menu
    // closes), so no wait should run inside the menu's own loop. Should one still do so, the
    // menu's keyboard and mouse input is left queued for that loop: taken here, the menu would
    // never see its Esc or the click outside it, and would stay open.
    if (menuOpen_) return;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            // Posted between the two looks: put it back for the event loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateAndDispatch(message);
    }
}

void Win32WindowSystem::WaitForInput(std::uint32_t milliseconds) {
    // With the menu's input left queued, waiting for input would return at once: sleep instead.
    if (menuOpen_) {
        Sleep(milliseconds);
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

std::uint32_t Win32WindowSystem::TickCount() {
    return GetTickCount();
}

int Win32WindowSystem::ShowMessageBox(std::string_view text, std::string_view caption,
                                      unsigned style) {
    return ShowFileMessageBox(text, {}, caption, style);
}

int Win32WindowSystem::ShowFileMessageBox(std::string_view text, std::u16string_view path,
                                          std::string_view caption, unsigned style) {
    std::wstring shownText = platform::WideFromGbk(text);
    if (const std::size_t at = shownText.find(L"%s"); at != std::wstring::npos && !path.empty())
        shownText.replace(at, 2, platform::AsWide(path));
    const std::wstring shownCaption = platform::WideFromGbk(caption);
    return MessageBoxW(nullptr, shownText.c_str(), shownCaption.c_str(), style);
}

void Win32WindowSystem::EndProcess(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}

} // namespace korvane::ui
