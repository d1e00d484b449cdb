/* The demo's stand-in for the window manager: Wine draws title bars itself
 * and has none, so a colorization record is shown through the system
 * colours of the captions, which recolours every title bar on the desktop.
 * Glass frames show the colour fading into a frosted sheen, opaque ones the
 * solid colour; inactive captions are a lighter shade of the active ones,
 * and caption texts stay dark as on glass frames. */
#include "show_on_screen.h"

/* Mixes a colour towards white: share of white in 1/100. */
static COLORREF lighter(COLORREF c, int white) {
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return RGB(r + (255 - r) * white / 100, g + (255 - g) * white / 100,
               b + (255 - b) * white / 100);
}

/* colour: 0xAARRGGBB as the window manager reads it; opaque_blend 0 = glass. */
void show_colorization(DWORD colour, DWORD opaque_blend) {
    COLORREF frame = RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
    COLORREF sheen = opaque_blend == 0 ? lighter(frame, 55) : frame;
    static const INT elements[] = {COLOR_ACTIVECAPTION,   COLOR_GRADIENTACTIVECAPTION,
                                   COLOR_INACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION,
                                   COLOR_CAPTIONTEXT,     COLOR_INACTIVECAPTIONTEXT};
    COLORREF values[] = {frame,        sheen,          lighter(frame, 60), lighter(sheen, 60),
                         RGB(0, 0, 0), RGB(64, 64, 64)};
    SetSysColors(sizeof elements / sizeof elements[0], elements, values);
}
