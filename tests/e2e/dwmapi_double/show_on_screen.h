/* Shows a colorization record through the system colours (the demo's double only). */
#ifndef SHOW_ON_SCREEN_H
#define SHOW_ON_SCREEN_H

#include <windows.h>

/* colour: 0xAARRGGBB as the window manager reads it; opaque_blend 0 = glass. */
void show_colorization(DWORD colour, DWORD opaque_blend);

#endif
