#include "ui/win32/icon_loading.h"

#include "resource_ids.h"

namespace korvane::ui::win32 {

UniqueIcon LoadIconImage(HINSTANCE instance, IconId icon, IconSize size) {
    const int resourceId = icon == IconId::MainWindow ? IDI_KORVANE_MAIN : IDI_KORVANE_TRAY;
    const bool large = size == IconSize::Large;
    const int width = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    const int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    // Without LR_SHARED the icon is ours to destroy, and the size we ask for is the one drawn.
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, width, height, 0)));
}

} // namespace korvane::ui::win32
