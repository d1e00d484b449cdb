// Reading and writing unit properties: the timer's period, the slider, texts and check boxes.
#include "ui/win32/win32_window_system.h"

#include "platform/win32/gbk_seam.h"

#include "ui/timer_period.h"
#include "ui/win32/scoped_flag.h"
#include "ui/win32/window_constants.h"

#include <commctrl.h>

namespace korvane::ui {

int Win32WindowSystem::TimerPeriod() {
    return timerPeriod_;
}

void Win32WindowSystem::SetTimerPeriod(int milliseconds) {
    const TimerChange change = ApplyTimerPeriod(timerPeriod_, milliseconds);
    timerPeriod_ = change.period;
    if (!change.restart) return;
    // SetTimer on the timer's id replaces it, starting a full period afresh: only a stop needs
    // KillTimer (each is a round trip to the window manager, twice on every refresh).
    if (timerPeriod_ > 0) {
        StartTimer();
    } else if (const HWND main = Record(WindowId::Main).hwnd) {
        KillTimer(main, win32::kTimerId);
    }
}

// The timer lives on the main window; a period set before that window exists starts with it.
void Win32WindowSystem::StartTimer() {
    const HWND main = Record(WindowId::Main).hwnd;
    if (main && timerPeriod_ > 0)
        SetTimer(main, win32::kTimerId, static_cast<UINT>(timerPeriod_), nullptr);
}

int Win32WindowSystem::SliderPosition() {
    const HWND slider = UnitWindow(UnitId::Slider1);
    return slider ? static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

// The trackbar reports every step of a drag and the end of it; only a new position is an event.
void Win32WindowSystem::OnSliderScrolled() {
    const int position = SliderPosition();
    if (position == lastSliderPosition_) return;
    lastSliderPosition_ = position;
    FireUnitEvent(UnitId::Slider1, EventKind::PositionChanged, 0);
}

std::string Win32WindowSystem::UnitText(UnitId unit) {
    const HWND hwnd = UnitWindow(unit);
    if (!hwnd) return {};
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return platform::GbkFromWide(text);
}

void Win32WindowSystem::SetUnitText(UnitId unit, std::string_view text) {
    const HWND hwnd = UnitWindow(unit);
    if (!hwnd) return;
    const std::wstring shown = platform::WideFromGbk(text);
    const win32::ScopedFlag ourChange(programChangesCombo_);
    SetWindowTextW(hwnd, shown.c_str());
}

bool Win32WindowSystem::IsChecked(UnitId unit) {
    const HWND hwnd = UnitWindow(unit);
    return hwnd && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowSystem::SetChecked(UnitId unit, bool checked) {
    if (const HWND hwnd = UnitWindow(unit))
        SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace korvane::ui
