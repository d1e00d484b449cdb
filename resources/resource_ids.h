#pragma once
// Resource identifiers shared by the resource script and the Win32 layers.
#define IDI_KORVANE_MAIN 1 // the main window's own icon
#define IDI_KORVANE_TRAY 2 // the tray icon, also the configuration window's icon
