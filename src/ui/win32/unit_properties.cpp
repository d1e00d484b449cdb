// Reading and writing unit properties: the timer's period, the slider, texts and check boxes.
#include "ui/win32/win32_window_system.h"

#include "ui/timer_period.h"
#include "ui/win32/scoped_flag.h"
#include "ui/win32/window_constants.h"

#include <commctrl.h>

#include <cstring>

namespace korvane::ui {

int Win32WindowSystem::TimerPeriod() {
    return timerPeriod_;
}

void Win32WindowSystem::SetTimerPeriod(int milliseconds) {
    const TimerChange change = ApplyTimerPeriod(timerPeriod_, milliseconds);
    timerPeriod_ = change.period;
    if (!change.restart) return;
    if (const HWND main = Record(WindowId::Main).hwnd) KillTimer(main, win32::kTimerId);
    StartTimer();
}

// The timer lives on the main window; a period set before that window exists starts with it.
void Win32WindowSystem::StartTimer() {
    const HWND main = Record(WindowId::Main).hwnd;
    if (main && timerPeriod_ > 0)
        SetTimer(main, win32::kTimerId, static_cast<UINT>(timerPeriod_), nullptr);
}

int Win32WindowSystem::SliderPosition() {
    const HWND slider = UnitWindow(UnitId::Slider1);
    return slider ? static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)) : 0;
}

// The trackbar reports every step of a drag and the end of it; only a new position is an event.
void Win32WindowSystem::OnSliderScrolled() {
    const int position = SliderPosition();
    if (position == lastSliderPosition_) return;
    lastSliderPosition_ = position;
    FireUnitEvent(UnitId::Slider1, event::PositionChanged, 0);
}

std::string Win32WindowSystem::UnitText(UnitId unit) {
    const HWND hwnd = UnitWindow(unit);
    if (!hwnd) return {};
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    // The length asked first can be larger than the GBK text really is.
    text.resize(std::strlen(text.c_str()));
    return text;
}

void Win32WindowSystem::SetUnitText(UnitId unit, std::string_view text) {
    const HWND hwnd = UnitWindow(unit);
    if (!hwnd) return;
    const std::string terminated(text);
    const win32::ScopedFlag ourChange(programChangesCombo_);
    SetWindowTextA(hwnd, terminated.c_str());
}

bool Win32WindowSystem::IsChecked(UnitId unit) {
    const HWND hwnd = UnitWindow(unit);
    return hwnd && SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowSystem::SetChecked(UnitId unit, bool checked) {
    if (const HWND hwnd = UnitWindow(unit))
        SendMessageA(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace korvane::ui
