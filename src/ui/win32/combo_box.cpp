// The city combo box: its list, its edit field and the keys typed into it.
#include "ui/win32/win32_window_system.h"

#include "platform/win32/gbk_seam.h"
#include "text/gbk.h"
#include "ui/win32/scoped_flag.h"

#include <algorithm>

namespace korvane::ui {
namespace {

// Characters in the first `bytes` bytes of GBK text; a double-byte character counts once.
int CharactersIn(std::string_view text, int bytes) {
    return static_cast<int>(text::CharacterCount(text.substr(0, static_cast<std::size_t>(bytes))));
}

} // namespace

// Every call of ours is marked, so that the notifications it causes are not taken for the user's.
LRESULT Win32WindowSystem::SendCombo(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND combo = UnitWindow(UnitId::Combo1);
    if (!combo) return CB_ERR;
    const win32::ScopedFlag ourChange(programChangesCombo_);
    return SendMessageW(combo, message, wParam, lParam);
}

int Win32WindowSystem::ComboCount() {
    const LRESULT count = SendCombo(CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

void Win32WindowSystem::ComboAddItem(std::string_view text) {
    const std::wstring shown = platform::WideFromGbk(text);
    SendCombo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

int Win32WindowSystem::ComboSelection() {
    const LRESULT selection = SendCombo(CB_GETCURSEL, 0, 0);
    return selection >= 0 ? static_cast<int>(selection) : -1;
}

// -1, like any index outside the list, clears the selection and the edit text.
void Win32WindowSystem::SetComboSelection(int index) {
    if (index < 0 || index >= ComboCount()) index = -1;
    SendCombo(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// Positions are GBK bytes; the edit field counts UTF-16 units, one for each GBK character.
void Win32WindowSystem::SetComboEditSelection(int start, int length) {
    const int from = start < 0 ? 0 : start;
    const int to = from + (length < 0 ? 0 : length);
    const std::string text = UnitText(UnitId::Combo1);
    SendCombo(CB_SETEDITSEL, 0, MAKELPARAM(CharactersIn(text, from), CharactersIn(text, to)));
}

// The key event must come before the edit field handles the key, so its procedure is replaced.
void Win32WindowSystem::SubclassComboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo, &info) || !info.hwndItem) return;
    SetWindowLongPtrW(info.hwndItem, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    comboEditProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(info.hwndItem, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&Win32WindowSystem::ComboEditThunk)));
}

LRESULT CALLBACK Win32WindowSystem::ComboEditThunk(HWND hwnd, UINT message, WPARAM wParam,
                                                   LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->comboEditProcedure_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->ComboEditProcedure(hwnd, message, wParam, lParam);
}

LRESULT Win32WindowSystem::ComboEditProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) noexcept {
    const WNDPROC original = comboEditProcedure_;
    if (message == WM_KEYDOWN)
        FireUnitEvent(UnitId::Combo1, EventKind::KeyPressed, static_cast<int>(wParam));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

} // namespace korvane::ui
