/* Shared declarations of the end-to-end UI helper (runs inside the Wine prefix). */
#ifndef KORVANE_E2E_UI_HELPER_H
#define KORVANE_E2E_UI_HELPER_H

#include <windows.h>

/* Output: JSON lines on stdout; ANSI (GBK) texts are converted to UTF-8. */
void out_begin(const char *kind);
void out_str(const char *key, const char *ansi_text);
void out_int(const char *key, long value);
void out_hex(const char *key, unsigned long value);
void out_end(void);

/* Text conversion between the UTF-8 command line and the ANSI code page. */
char *utf8_to_ansi(const wchar_t *wide);

/* Windows. */
HWND find_top_window(const char *ansi_caption, int want_visible);
HWND wait_top_window(const char *ansi_caption, int want_visible, DWORD timeout_ms);
int wait_no_visible_window(const char *ansi_caption, DWORD timeout_ms);
void print_window(const char *kind, HWND hwnd);
void list_top_windows(int all);
HWND find_control(HWND top, const char *selector);
void print_controls(HWND top);

/* Layout at the display scale (measure.c). */
int cmd_measure(const char *caption);

#endif
