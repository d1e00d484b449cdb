#include "ui/win32/display_metrics.h"

#include "ui/display_scale.h"

namespace korvane::ui::win32 {

int SystemDpi() noexcept {
    const HDC screen = GetDC(nullptr);
    if (!screen) return kTemplateDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kTemplateDpi;
}

// The stock font is made for the system DPI; its height is carried from there to the DPI asked.
UniqueFont MakeInterfaceFont(int dpi) noexcept {
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return {};
    font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
    return UniqueFont(CreateFontIndirectW(&font));
}

} // namespace korvane::ui::win32
