#pragma once
// The display's DPI and the interface font made for it. The program is DPI aware (its manifest
// says so), so the DPI is the system's and holds for the whole run.
#include "ui/win32/handles.h"

#include <windows.h>

namespace korvane::ui::win32 {

// The screen's logical pixels per inch; 96 when it cannot be asked.
int SystemDpi() noexcept;

// The system's default GUI font at the given DPI; empty when it cannot be made, and the stock
// font is used instead.
UniqueFont MakeInterfaceFont(int dpi) noexcept;

} // namespace korvane::ui::win32
