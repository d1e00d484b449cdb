/* ui_helper: reads and drives another program's windows from inside the Wine
 * prefix, for the end-to-end scenarios.  One command per run; results are JSON
 * lines; exit code 0 = done, 1 = window/control not found or timed out,
 * 2 = usage error.  Every text goes through the ...W functions, so the helper
 * reads what the user sees, whatever code page either program runs under. */
#include "helper.h"
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static const char usage[] =
    "usage: ui_helper list [all]\n"
    "       ui_helper wait <caption> <timeout_ms> [visible|any]\n"
    "       ui_helper gone <caption> <timeout_ms>\n"
    "       ui_helper controls <caption>\n"
    "       ui_helper items <caption> <control>\n"
    "       ui_helper tips\n"
    "       ui_helper msgbox <caption> <timeout_ms>\n"
    "       ui_helper settext|replacesel|insert <caption> <control> <text>\n"
    "       ui_helper click <caption> <control>\n"
    "       ui_helper setcheck <caption> <control> 0|1\n"
    "       ui_helper press <caption> ok|yes|no|<id>\n"
    "       ui_helper close <caption>\n"
    "       ui_helper key <caption> <virtual-key>\n"
    "       ui_helper focus <caption> [<virtual-key>|s<virtual-key> ...]\n"
    "       ui_helper measure <caption>\n"
    "control: class:<Class>:<k> | combo-edit:<k> | text:<text> | id:<n>\n";

static int fail(const char *what, const wchar_t *detail)
{
    out_begin("error");
    printf(",\"what\":\"%s\"", what);
    out_str("detail", detail ? detail : L"");
    out_end();
    return 1;
}

static HWND top_or_fail(const wchar_t *caption)
{
    return find_top_window(caption, 1) ? find_top_window(caption, 1) : find_top_window(caption, 0);
}

static int with_control(wchar_t **argv, HWND *top, HWND *ctl)
{
    *top = top_or_fail(argv[2]);
    if (!*top) return fail("no window", argv[2]);
    *ctl = find_control(*top, argv[3]);
    if (!*ctl) return fail("no control", argv[3]);
    return 0;
}

static int cmd_msgbox(const wchar_t *caption, DWORD timeout)
{
    HWND box = wait_top_window(caption, 1, timeout);
    if (!box) return fail("no message box", caption);
    print_window("msgbox", box);
    print_controls(box);
    return 0;
}

static int cmd_press(const wchar_t *caption, const wchar_t *which)
{
    HWND box = find_top_window(caption, 1);
    if (!box) return fail("no message box", caption);
    int id = wcscmp(which, L"ok") == 0 ? IDOK : wcscmp(which, L"yes") == 0 ? IDYES
           : wcscmp(which, L"no") == 0 ? IDNO : _wtoi(which);
    HWND button = GetDlgItem(box, id);
    if (!button) return fail("no button", which);
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

/* One key press as the keyboard gives it, with Shift held when asked. */
static void send_key(int vk, int shift)
{
    INPUT in[4];
    memset(in, 0, sizeof in);
    WORD keys[4] = {VK_SHIFT, (WORD)vk, (WORD)vk, VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(shift ? 4 : 2, shift ? in : in + 1, sizeof in[0]);
}

static int cmd_key(const wchar_t *caption, int vk)
{
    HWND top = top_or_fail(caption);
    if (!top) return fail("no window", caption);
    SetForegroundWindow(top);
    Sleep(200);
    send_key(vk, 0);
    return 0;
}

/* The keyboard focus, then after each key (s<code>: with Shift) the focus again.  The window is
 * brought to the front only when it is not there: activating it anew may move its focus. */
static int cmd_focus(int argc, wchar_t **argv)
{
    HWND top = top_or_fail(argv[2]);
    if (!top) return fail("no window", argv[2]);
    print_focus(top);
    if (argc > 3 && GetForegroundWindow() != top) {
        SetForegroundWindow(top);
        Sleep(200);
    }
    for (int i = 3; i < argc; ++i) {
        int shift = argv[i][0] == L's';
        send_key(_wtoi(argv[i] + shift), shift);
        Sleep(300);
        print_focus(top);
    }
    return 0;
}

static int is(const wchar_t *cmd, const wchar_t *name) { return wcscmp(cmd, name) == 0; }

static int run(int argc, wchar_t **argv)
{
    if (argc < 2) return 2;
    const wchar_t *cmd = argv[1];
    HWND top, ctl;
    DWORD_PTR ignored;
    if (is(cmd, L"list")) {
        list_top_windows(argc > 2 && is(argv[2], L"all"));
        return 0;
    }
    if (is(cmd, L"tips")) {
        print_tips();
        return 0;
    }
    if (is(cmd, L"wait") && argc >= 4) {
        int visible = !(argc > 4 && is(argv[4], L"any"));
        HWND h = wait_top_window(argv[2], visible, (DWORD)_wtol(argv[3]));
        if (!h) return fail("timeout", argv[2]);
        print_window("window", h);
        return 0;
    }
    if (is(cmd, L"gone") && argc >= 4)
        return wait_no_visible_window(argv[2], (DWORD)_wtol(argv[3])) ? 0 : fail("still visible", argv[2]);
    if (is(cmd, L"controls") && argc >= 3) {
        top = top_or_fail(argv[2]);
        if (!top) return fail("no window", argv[2]);
        print_window("window", top);
        print_controls(top);
        return 0;
    }
    if (is(cmd, L"items") && argc >= 4) {
        if (with_control(argv, &top, &ctl)) return 1;
        print_combo_items(ctl);
        return 0;
    }
    if (is(cmd, L"msgbox") && argc >= 4) return cmd_msgbox(argv[2], (DWORD)_wtol(argv[3]));
    if (is(cmd, L"press") && argc >= 4) return cmd_press(argv[2], argv[3]);
    if (is(cmd, L"close") && argc >= 3) {
        top = top_or_fail(argv[2]);
        if (!top) return fail("no window", argv[2]);
        PostMessageW(top, WM_CLOSE, 0, 0);
        return 0;
    }
    if (is(cmd, L"key") && argc >= 4) return cmd_key(argv[2], _wtoi(argv[3]));
    if (is(cmd, L"focus") && argc >= 3) return cmd_focus(argc, argv);
    if ((is(cmd, L"settext") || is(cmd, L"replacesel") || is(cmd, L"insert")) && argc >= 5) {
        if (with_control(argv, &top, &ctl)) return 1;
        if (is(cmd, L"settext")) {
            SendMessageTimeoutW(ctl, WM_SETTEXT, 0, (LPARAM)argv[4], SMTO_ABORTIFHUNG, 5000, &ignored);
        } else {
            /* Like typing: over the whole field (replacesel), or over whatever is
             * selected, as a completion leaves it (insert); the change notifications fire. */
            if (is(cmd, L"replacesel"))
                SendMessageTimeoutW(ctl, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
            SendMessageTimeoutW(ctl, EM_REPLACESEL, TRUE, (LPARAM)argv[4], SMTO_ABORTIFHUNG, 5000, &ignored);
        }
        return 0;
    }
    if (is(cmd, L"click") && argc >= 4) {
        if (with_control(argv, &top, &ctl)) return 1;
        PostMessageW(ctl, BM_CLICK, 0, 0);   /* posted: the click may open a modal box */
        return 0;
    }
    if (is(cmd, L"setcheck") && argc >= 5) {
        if (with_control(argv, &top, &ctl)) return 1;
        DWORD_PTR state = 0;
        SendMessageTimeoutW(ctl, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
        if ((int)state != _wtoi(argv[4]))
            SendMessageTimeoutW(ctl, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        return 0;
    }
    if (is(cmd, L"measure") && argc >= 3)
        return cmd_measure(argv[2]) ? fail("no window", argv[2]) : 0;
    return 2;
}

int main(void)
{
    /* Rectangles in physical pixels: an unaware reader gets them scaled back to 96 DPI. */
    SetProcessDPIAware();
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int rc = run(argc, argv);
    if (rc == 2) fputs(usage, stderr);
    return rc;
}
