/* Shared declarations of the end-to-end UI helper (runs inside the Wine prefix). */
#ifndef KORVANE_E2E_UI_HELPER_H
#define KORVANE_E2E_UI_HELPER_H

#include <windows.h>

/* Output: JSON lines on stdout.  Texts are read with the ...W functions, as the
 * user sees them whatever the program's code page, and written as UTF-8. */
void out_begin(const char *kind);
void out_str(const char *key, const wchar_t *text);
void out_int(const char *key, long value);
void out_hex(const char *key, unsigned long value);
void out_end(void);

/* Windows. */
HWND find_top_window(const wchar_t *caption, int want_visible);
HWND wait_top_window(const wchar_t *caption, int want_visible, DWORD timeout_ms);
int wait_no_visible_window(const wchar_t *caption, DWORD timeout_ms);
void print_window(const char *kind, HWND hwnd);
void list_top_windows(int all);
HWND find_control(HWND top, const wchar_t *selector);
void print_controls(HWND top);
void print_focus(HWND top);
void print_combo_items(HWND combo);
void print_tips(void);

/* Layout at the display scale (measure.c). */
int cmd_measure(const wchar_t *caption);

#endif
