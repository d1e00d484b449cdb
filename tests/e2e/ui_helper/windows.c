/* Finding and describing windows and controls of other processes.  Texts of
 * controls are fetched with WM_GETTEXT (GetWindowText does not ask another
 * process's edit controls for their current content). */
#include "helper.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define TEXT_MAX 1024
#define POLL_MS 100

static void window_text(HWND hwnd, wchar_t *buf, int size)
{
    DWORD_PTR got = 0;
    buf[0] = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, (WPARAM)size, (LPARAM)buf,
                             SMTO_ABORTIFHUNG, 2000, &got))
        GetWindowTextW(hwnd, buf, size);
    buf[size - 1] = 0;
}

struct top_search { const wchar_t *caption; int want_visible; HWND found; };

static BOOL CALLBACK match_top(HWND hwnd, LPARAM param)
{
    struct top_search *s = (struct top_search *)param;
    wchar_t text[TEXT_MAX];
    GetWindowTextW(hwnd, text, TEXT_MAX);
    if (wcscmp(text, s->caption) != 0) return TRUE;
    if (s->want_visible && !IsWindowVisible(hwnd)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND find_top_window(const wchar_t *caption, int want_visible)
{
    struct top_search s = {caption, want_visible, NULL};
    EnumWindows(match_top, (LPARAM)&s);
    return s.found;
}

HWND wait_top_window(const wchar_t *caption, int want_visible, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND h = find_top_window(caption, want_visible);
        if (h) return h;
        if (GetTickCount() - start >= timeout_ms) return NULL;
        Sleep(POLL_MS);
    }
}

int wait_no_visible_window(const wchar_t *caption, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (!find_top_window(caption, 1)) return 1;
        if (GetTickCount() - start >= timeout_ms) return 0;
        Sleep(POLL_MS);
    }
}

void print_window(const char *kind, HWND hwnd)
{
    wchar_t text[TEXT_MAX], cls[256];
    DWORD pid = 0;
    RECT r;
    GetWindowTextW(hwnd, text, TEXT_MAX);
    GetClassNameW(hwnd, cls, 256);
    GetWindowThreadProcessId(hwnd, &pid);
    GetWindowRect(hwnd, &r);
    out_begin(kind);
    out_hex("hwnd", (unsigned long)(ULONG_PTR)hwnd);
    out_str("caption", text);
    out_str("class", cls);
    out_int("visible", IsWindowVisible(hwnd) ? 1 : 0);
    out_int("pid", (long)pid);
    out_int("left", r.left); out_int("top", r.top);
    out_int("right", r.right); out_int("bottom", r.bottom);
    out_end();
}

static BOOL CALLBACK print_top(HWND hwnd, LPARAM all)
{
    wchar_t text[8];
    if (all || GetWindowTextW(hwnd, text, 8) > 0) print_window("window", hwnd);
    return TRUE;
}

void list_top_windows(int all) { EnumWindows(print_top, (LPARAM)all); }

/* ---- controls ---- */

#define MAX_CONTROLS 256
struct child_list { HWND top; HWND items[MAX_CONTROLS]; int count; };

static BOOL CALLBACK collect_child(HWND hwnd, LPARAM param)
{
    struct child_list *l = (struct child_list *)param;
    if (l->count < MAX_CONTROLS) l->items[l->count++] = hwnd;
    return TRUE;
}

static void collect(HWND top, struct child_list *l)
{
    l->top = top;
    l->count = 0;
    EnumChildWindows(top, collect_child, (LPARAM)l);
}

static RECT client_rect_of(HWND top, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, top, (POINT *)&r, 2);
    return r;
}

/* Direct children of one class, in reading order (top, then left). */
static int children_of_class(HWND top, const wchar_t *cls, HWND *out, int max)
{
    struct child_list l;
    collect(top, &l);
    int n = 0;
    for (int i = 0; i < l.count && n < max; ++i) {
        wchar_t c[256];
        GetClassNameW(l.items[i], c, 256);
        if (GetParent(l.items[i]) == top && lstrcmpiW(c, cls) == 0) out[n++] = l.items[i];
    }
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0; --j) {
            RECT a = client_rect_of(top, out[j - 1]), b = client_rect_of(top, out[j]);
            if (a.top > b.top || (a.top == b.top && a.left > b.left)) {
                HWND t = out[j]; out[j] = out[j - 1]; out[j - 1] = t;
            } else break;
        }
    return n;
}

/* selector: "class:<Class>:<k>", "text:<text>", "id:<n>" or "combo-edit:<k>". */
HWND find_control(HWND top, const wchar_t *selector)
{
    if (wcsncmp(selector, L"class:", 6) == 0 || wcsncmp(selector, L"combo-edit:", 11) == 0) {
        int combo_edit = selector[0] == L'c' && selector[1] == L'o';
        wchar_t cls[128];
        int k = 0;
        if (combo_edit) { wcscpy(cls, L"ComboBox"); k = _wtoi(selector + 11); }
        else {
            const wchar_t *colon = wcschr(selector + 6, L':');
            size_t len = colon ? (size_t)(colon - (selector + 6)) : wcslen(selector + 6);
            if (len >= 128) return NULL;
            memcpy(cls, selector + 6, len * sizeof *cls); cls[len] = 0;
            k = colon ? _wtoi(colon + 1) : 0;
        }
        HWND found[MAX_CONTROLS];
        int n = children_of_class(top, cls, found, MAX_CONTROLS);
        if (k < 0 || k >= n) return NULL;
        if (!combo_edit) return found[k];
        COMBOBOXINFO info;
        memset(&info, 0, sizeof info);
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(found[k], &info) && info.hwndItem) return info.hwndItem;
        return FindWindowExW(found[k], NULL, L"Edit", NULL);
    }
    struct child_list l;
    collect(top, &l);
    for (int i = 0; i < l.count; ++i) {
        if (wcsncmp(selector, L"id:", 3) == 0) {
            if (GetDlgCtrlID(l.items[i]) == _wtoi(selector + 3)) return l.items[i];
        } else if (wcsncmp(selector, L"text:", 5) == 0) {
            wchar_t text[TEXT_MAX];
            window_text(l.items[i], text, TEXT_MAX);
            if (wcscmp(text, selector + 5) == 0) return l.items[i];
        }
    }
    return NULL;
}

/* One list item of a combo box; empty when it does not fit. */
static void combo_item(HWND combo, int index, wchar_t *buf, int size)
{
    DWORD_PTR len = 0, got = 0;
    buf[0] = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, (WPARAM)index, 0, SMTO_ABORTIFHUNG, 2000, &len);
    if ((LONG)len >= 0 && (int)len < size)
        SendMessageTimeoutW(combo, CB_GETLBTEXT, (WPARAM)index, (LPARAM)buf, SMTO_ABORTIFHUNG, 2000, &got);
}

void print_combo_items(HWND combo)
{
    DWORD_PTR count = 0;
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    for (int i = 0; i < (int)(LONG)count; ++i) {
        wchar_t item[TEXT_MAX];
        combo_item(combo, i, item, TEXT_MAX);
        out_begin("item");
        out_int("index", i);
        out_str("text", item);
        out_end();
    }
}

/* The texts of the visible tooltip windows (the tray icon's tip while the mouse rests on it). */
static BOOL CALLBACK print_tip(HWND hwnd, LPARAM unused)
{
    wchar_t cls[64], text[TEXT_MAX];
    (void)unused;
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpiW(cls, L"tooltips_class32") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    window_text(hwnd, text, TEXT_MAX);
    out_begin("tip");
    out_hex("hwnd", (unsigned long)(ULONG_PTR)hwnd);
    out_str("text", text);
    out_end();
    return TRUE;
}

void print_tips(void) { EnumWindows(print_tip, 0); }

static void print_control_as(const char *kind, HWND top, HWND c)
{
    wchar_t text[TEXT_MAX], cls[256];
    window_text(c, text, TEXT_MAX);
    GetClassNameW(c, cls, 256);
    RECT r = client_rect_of(top, c);
    LONG style = GetWindowLongW(c, GWL_STYLE);
    out_begin(kind);
    out_hex("hwnd", (unsigned long)(ULONG_PTR)c);
    out_str("class", cls);
    out_int("id", GetDlgCtrlID(c));
    out_int("direct", GetParent(c) == top);
    out_str("text", text);
    out_int("visible", IsWindowVisible(c) ? 1 : 0);
    out_int("enabled", IsWindowEnabled(c) ? 1 : 0);
    out_hex("style", (unsigned long)style);
    out_int("left", r.left); out_int("top", r.top);
    out_int("right", r.right); out_int("bottom", r.bottom);
    RECT screen;   /* where a mouse click hits the control */
    GetWindowRect(c, &screen);
    out_int("screen_x", (screen.left + screen.right) / 2);
    out_int("screen_y", (screen.top + screen.bottom) / 2);
    DWORD_PTR v = 0;
    if (lstrcmpiW(cls, L"Button") == 0) {
        SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &v);
        out_int("checked", (long)v);
    } else if (lstrcmpiW(cls, L"ComboBox") == 0) {
        DWORD_PTR count = 0, sel = (DWORD_PTR)-1;
        SendMessageTimeoutW(c, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
        SendMessageTimeoutW(c, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &sel);
        out_int("count", (long)count);
        out_int("cursel", (long)(LONG)sel);
        wchar_t item[TEXT_MAX] = L"";
        if ((LONG)sel >= 0) combo_item(c, (int)sel, item, TEXT_MAX);
        out_str("seltext", item);
    } else if (lstrcmpiW(cls, L"Edit") == 0) {
        SendMessageTimeoutW(c, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &v);
        out_int("limit", (long)v);
    }
    out_end();
}

void print_controls(HWND top)
{
    struct child_list l;
    collect(top, &l);
    for (int i = 0; i < l.count; ++i) print_control_as("control", top, l.items[i]);
}

/* The window that has the keyboard focus in the thread of `top` (kind "focus"; hwnd 0: none). */
void print_focus(HWND top)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(top, NULL), &info) && info.hwndFocus) {
        print_control_as("focus", top, info.hwndFocus);
        return;
    }
    out_begin("focus");
    out_hex("hwnd", 0);
    out_end();
}
