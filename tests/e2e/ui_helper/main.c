/* ui_helper: reads and drives another program's windows from inside the Wine
 * prefix, for the end-to-end scenarios.  One command per run; results are JSON
 * lines; exit code 0 = done, 1 = window/control not found or timed out,
 * 2 = usage error. */
#include "helper.h"
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char usage[] =
    "usage: ui_helper list [all]\n"
    "       ui_helper wait <caption> <timeout_ms> [visible|any]\n"
    "       ui_helper gone <caption> <timeout_ms>\n"
    "       ui_helper controls <caption>\n"
    "       ui_helper msgbox <caption> <timeout_ms>\n"
    "       ui_helper settext|replacesel <caption> <control> <text>\n"
    "       ui_helper click <caption> <control>\n"
    "       ui_helper setcheck <caption> <control> 0|1\n"
    "       ui_helper press <caption> ok|yes|no|<id>\n"
    "       ui_helper close <caption>\n"
    "       ui_helper key <caption> <virtual-key>\n"
    "       ui_helper measure <caption>\n"
    "control: class:<Class>:<k> | combo-edit:<k> | text:<text> | id:<n>\n";

static int fail(const char *what, const char *detail)
{
    out_begin("error");
    out_str("what", what);
    out_str("detail", detail ? detail : "");
    out_end();
    return 1;
}

static HWND top_or_fail(const char *caption)
{
    return find_top_window(caption, 1) ? find_top_window(caption, 1) : find_top_window(caption, 0);
}

static int with_control(char **argv, HWND *top, HWND *ctl)
{
    *top = top_or_fail(argv[2]);
    if (!*top) return fail("no window", argv[2]);
    *ctl = find_control(*top, argv[3]);
    if (!*ctl) return fail("no control", argv[3]);
    return 0;
}

static int cmd_msgbox(const char *caption, DWORD timeout)
{
    HWND box = wait_top_window(caption, 1, timeout);
    if (!box) return fail("no message box", caption);
    print_window("msgbox", box);
    print_controls(box);
    return 0;
}

static int cmd_press(const char *caption, const char *which)
{
    HWND box = find_top_window(caption, 1);
    if (!box) return fail("no message box", caption);
    int id = strcmp(which, "ok") == 0 ? IDOK : strcmp(which, "yes") == 0 ? IDYES
           : strcmp(which, "no") == 0 ? IDNO : atoi(which);
    HWND button = GetDlgItem(box, id);
    if (!button) return fail("no button", which);
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

static int cmd_key(const char *caption, int vk)
{
    HWND top = top_or_fail(caption);
    if (!top) return fail("no window", caption);
    SetForegroundWindow(top);
    Sleep(200);
    INPUT in[2];
    memset(in, 0, sizeof in);
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = (WORD)vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
    return 0;
}

static int run(int argc, char **argv)
{
    if (argc < 2) return 2;
    const char *cmd = argv[1];
    HWND top, ctl;
    DWORD_PTR ignored;
    if (strcmp(cmd, "list") == 0) {
        list_top_windows(argc > 2 && strcmp(argv[2], "all") == 0);
        return 0;
    }
    if (strcmp(cmd, "wait") == 0 && argc >= 4) {
        int visible = !(argc > 4 && strcmp(argv[4], "any") == 0);
        HWND h = wait_top_window(argv[2], visible, (DWORD)atol(argv[3]));
        if (!h) return fail("timeout", argv[2]);
        print_window("window", h);
        return 0;
    }
    if (strcmp(cmd, "gone") == 0 && argc >= 4)
        return wait_no_visible_window(argv[2], (DWORD)atol(argv[3])) ? 0 : fail("still visible", argv[2]);
    if (strcmp(cmd, "controls") == 0 && argc >= 3) {
        top = top_or_fail(argv[2]);
        if (!top) return fail("no window", argv[2]);
        print_window("window", top);
        print_controls(top);
        return 0;
    }
    if (strcmp(cmd, "msgbox") == 0 && argc >= 4) return cmd_msgbox(argv[2], (DWORD)atol(argv[3]));
    if (strcmp(cmd, "press") == 0 && argc >= 4) return cmd_press(argv[2], argv[3]);
    if (strcmp(cmd, "close") == 0 && argc >= 3) {
        top = top_or_fail(argv[2]);
        if (!top) return fail("no window", argv[2]);
        PostMessageA(top, WM_CLOSE, 0, 0);
        return 0;
    }
    if (strcmp(cmd, "key") == 0 && argc >= 4) return cmd_key(argv[2], atoi(argv[3]));
    if ((strcmp(cmd, "settext") == 0 || strcmp(cmd, "replacesel") == 0) && argc >= 5) {
        if (with_control(argv, &top, &ctl)) return 1;
        if (strcmp(cmd, "settext") == 0) {
            SendMessageTimeoutA(ctl, WM_SETTEXT, 0, (LPARAM)argv[4], SMTO_ABORTIFHUNG, 5000, &ignored);
        } else {
            /* Like typing over the whole field: the change notifications fire. */
            SendMessageTimeoutA(ctl, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
            SendMessageTimeoutA(ctl, EM_REPLACESEL, TRUE, (LPARAM)argv[4], SMTO_ABORTIFHUNG, 5000, &ignored);
        }
        return 0;
    }
    if (strcmp(cmd, "click") == 0 && argc >= 4) {
        if (with_control(argv, &top, &ctl)) return 1;
        PostMessageA(ctl, BM_CLICK, 0, 0);   /* posted: the click may open a modal box */
        return 0;
    }
    if (strcmp(cmd, "setcheck") == 0 && argc >= 5) {
        if (with_control(argv, &top, &ctl)) return 1;
        DWORD_PTR state = 0;
        SendMessageTimeoutA(ctl, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
        if ((int)state != atoi(argv[4]))
            SendMessageTimeoutA(ctl, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        return 0;
    }
    if (strcmp(cmd, "measure") == 0 && argc >= 3)
        return cmd_measure(argv[2]) ? fail("no window", argv[2]) : 0;
    return 2;
}

int main(void)
{
    /* Rectangles in physical pixels: an unaware reader gets them scaled back to 96 DPI. */
    SetProcessDPIAware();
    int argc = 0;
    wchar_t **wargv = CommandLineToArgvW(GetCommandLineW(), &argc);
    char **argv = calloc((size_t)argc + 1, sizeof *argv);
    for (int i = 0; i < argc; ++i) argv[i] = utf8_to_ansi(wargv[i]);
    int rc = run(argc, argv);
    if (rc == 2) fputs(usage, stderr);
    return rc;
}
