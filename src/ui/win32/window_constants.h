#pragma once
// Fixed names and numbers of the Win32 window system, gathered in one place.
#include <windows.h>

namespace korvane::ui::win32 {

// The main window's class name is also how a second instance finds the first one.
inline constexpr const wchar_t* kMainWindowClass = L"Korvane.MainWindow";
inline constexpr const wchar_t* kConfigWindowClass = L"Korvane.ConfigWindow";

inline constexpr const wchar_t* kSingleInstanceMutex = L"Local\\Korvane.SingleInstance";
inline constexpr const wchar_t* kOpenConfigMessage = L"Korvane.OpenConfigWindow";
inline constexpr const wchar_t* kTaskbarCreatedMessage = L"TaskbarCreated";

// Control identifiers are the unit's number above this base; IDOK and IDCANCEL stay below it.
inline constexpr int kFirstUnitControlId = 100;
// Menu commands are the entry's index plus one, since TrackPopupMenuEx answers 0 for "nothing".
inline constexpr UINT kFirstMenuCommand = 1;

inline constexpr UINT_PTR kTimerId = 1;
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// Posted by a background job's thread to the main window when the job has ended.
inline constexpr UINT kJobDoneMessage = WM_APP + 2;

} // namespace korvane::ui::win32
