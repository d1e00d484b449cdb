#include "ui/win32/icon_loading.h"

#include "resource_ids.h"

#include <commctrl.h>

namespace korvane::ui::win32 {

// Common controls 6 (which the manifest selects) loads the icon at the system's small or large
// icon size for the display's DPI and scales the 128-pixel image down with a smooth filter, where
// LoadImage shrinks it by dropping pixels.
UniqueIcon LoadIconImage(HINSTANCE instance, IconId icon, IconSize size) {
    const int resourceId = icon == IconId::MainWindow ? IDI_KORVANE_MAIN : IDI_KORVANE_TRAY;
    HICON loaded = nullptr;
    // The icon is ours to destroy.
    if (FAILED(LoadIconMetric(instance, MAKEINTRESOURCEW(resourceId),
                              size == IconSize::Large ? LIM_LARGE : LIM_SMALL, &loaded)))
        return {};
    return UniqueIcon(loaded);
}

} // namespace korvane::ui::win32
