/* Measuring a window's layout at the display scale.  The helper is DPI aware
 * (main calls SetProcessDPIAware), so every rectangle is in physical pixels.
 *
 * Texts are measured in the font the program uses, made here the same way from
 * the same source: the default GUI font's LOGFONT with its height carried from
 * the system DPI to the screen's DPI.  The program's edit field gives a
 * cross-check that this is its font: the distance between two character
 * positions (EM_POSFROMCHAR) must equal the extent of the text in between.
 *
 * A text is cut where its ink passes the edge of the room it is drawn in: the
 * helper draws the text in that font and finds its rightmost inked column. */
#include "helper.h"
#include <stdlib.h>
#include <string.h>

#define TEXT_MAX 1024

static int screen_dpi(void)
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}

static HFONT interface_font(int dpi)
{
    LOGFONTW font;
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return NULL;
    font.lfHeight = MulDiv(font.lfHeight, dpi, screen_dpi());
    return CreateFontIndirectW(&font);
}

static int control_text(HWND control, wchar_t *text, int size)
{
    DWORD_PTR got = 0;
    text[0] = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, (WPARAM)size, (LPARAM)text, SMTO_ABORTIFHUNG,
                             2000, &got))
        return 0;
    text[size - 1] = 0;
    return lstrlenW(text);
}

static SIZE extent(HDC dc, const wchar_t *text, int length)
{
    SIZE size = {0, 0};
    if (length > 0) GetTextExtentPoint32W(dc, text, length, &size);
    return size;
}

/* x of a character in an edit control, or -1. */
static long edit_char_x(HWND edit, int index)
{
    DWORD_PTR pos = (DWORD_PTR)-1;
    if (!SendMessageTimeoutW(edit, EM_POSFROMCHAR, (WPARAM)index, 0, SMTO_ABORTIFHUNG, 2000, &pos))
        return -1;
    return pos == (DWORD_PTR)-1 ? -1 : (long)(short)LOWORD(pos);
}

/* Width up to the rightmost pixel the text really inks, drawn in the font
 * selected into dc: a full-width colon's advance, for one, is mostly blank. */
static int ink_width(HDC dc, const wchar_t *text, int length, SIZE size)
{
    if (length <= 0 || size.cx <= 0 || size.cy <= 0) return 0;
    const int width = size.cx + size.cy; /* room for an overhanging last glyph */
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD *pixels = NULL;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void **)&pixels, NULL, 0);
    if (!canvas) return size.cx;
    HGDIOBJ old = SelectObject(dc, canvas);
    RECT all = {0, 0, width, size.cy};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 0, 0, text, length);
    GdiFlush();
    int ink = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = width - 1; x >= ink; --x)
            if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) { ink = x + 1; break; }
    SelectObject(dc, old);
    DeleteObject(canvas);
    return ink;
}

struct measuring { HWND top; HDC dc; };

static BOOL CALLBACK measure_control(HWND control, LPARAM param)
{
    const struct measuring *m = (const struct measuring *)param;
    wchar_t cls[64], text[TEXT_MAX];
    RECT r;
    GetClassNameW(control, cls, 64);
    int length = control_text(control, text, TEXT_MAX);
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, m->top, (POINT *)&r, 2);
    SIZE size = extent(m->dc, text, length);
    out_begin("measure");
    out_str("class", cls);
    out_str("text", text);
    out_int("direct", GetParent(control) == m->top);
    out_hex("style", (unsigned long)GetWindowLongW(control, GWL_STYLE));
    out_int("left", r.left); out_int("top", r.top);
    out_int("right", r.right); out_int("bottom", r.bottom);
    out_int("text_cx", size.cx); out_int("text_cy", size.cy);
    out_int("ink_cx", ink_width(m->dc, text, length, size));
    /* The edit field's own layout of all but the last character. */
    if (lstrcmpiW(cls, L"Edit") == 0 && length >= 2) {
        long first = edit_char_x(control, 0), last = edit_char_x(control, length - 1);
        if (first >= 0 && last >= 0) {
            out_int("edit_span", last - first);
            out_int("font_span", extent(m->dc, text, length - 1).cx);
        }
    }
    out_end();
    return TRUE;
}

int cmd_measure(const wchar_t *caption)
{
    HWND top = find_top_window(caption, 1);
    if (!top) top = find_top_window(caption, 0);
    if (!top) return 1;
    int dpi = screen_dpi();
    out_begin("screen");
    out_int("dpi", dpi);
    out_int("small_icon", GetSystemMetrics(SM_CXSMICON));
    out_int("large_icon", GetSystemMetrics(SM_CXICON));
    out_int("menu_check", GetSystemMetrics(SM_CXMENUCHECK));
    out_int("edge", GetSystemMetrics(SM_CXEDGE));
    out_end();
    print_window("window", top);
    RECT client;
    GetClientRect(top, &client);
    out_begin("client");
    out_int("width", client.right); out_int("height", client.bottom);
    out_end();

    struct measuring m = {top, CreateCompatibleDC(NULL)};
    HFONT font = interface_font(dpi);
    HGDIOBJ old = SelectObject(m.dc, font);
    EnumChildWindows(top, measure_control, (LPARAM)&m);
    SelectObject(m.dc, old);
    DeleteObject(font);
    DeleteDC(m.dc);
    return 0;
}
