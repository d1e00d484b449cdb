#pragma once
// The program's two icon images, loaded at the size a use needs.
#include "ui/win32/handles.h"
#include "ui/window_system.h"

#include <windows.h>

namespace korvane::ui::win32 {

enum class IconSize { Large, Small };

// Empty when the resource is missing; callers treat that as "no icon".
UniqueIcon LoadIconImage(HINSTANCE instance, IconId icon, IconSize size);

} // namespace korvane::ui::win32
