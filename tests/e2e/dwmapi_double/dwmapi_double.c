/* Recording stand-in for dwmapi.dll, loaded instead of the system's copy
 * (WINEDLLOVERRIDES="dwmapi=n,b").  Behaviour comes from the environment:
 *   KORVANE_DWM_COMPOSITION  "0" reports composition off, anything else on;
 *   KORVANE_DWM_LOG          file (Windows path) to which every call is appended.
 * Ordinal 127 answers a fixed record of the user's own colours.
 * Times are QueryPerformanceCounter seconds, which under Wine follow the
 * Linux CLOCK_MONOTONIC_RAW clock the weather server logs with.
 * Built with SHOW_ON_SCREEN (the demo's copy only), every record is also
 * shown through the system's title-bar colours; the suite's copies act on
 * nothing (the e2e.doubles_change_nothing_on_screen test checks their imports). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static double now_seconds(void)
{
    LARGE_INTEGER count, freq;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&freq);
    return (double)count.QuadPart / (double)freq.QuadPart;
}

static void append_line(const char *line)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("KORVANE_DWM_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(f, line, (DWORD)strlen(line), &written, NULL);
    CloseHandle(f);
}

static int composition_on(void)
{
    char value[8];
    DWORD n = GetEnvironmentVariableA("KORVANE_DWM_COMPOSITION", value, sizeof value);
    return !(n == 1 && value[0] == '0');
}

HRESULT WINAPI DwmIsCompositionEnabled(BOOL *enabled)
{
    int on = composition_on();
    if (enabled) *enabled = on;
    char line[128];
    snprintf(line, sizeof line, "{\"call\":\"composition\",\"t\":%.6f,\"answer\":%d}\n",
             now_seconds(), on);
    append_line(line);
    return S_OK;
}

#ifdef SHOW_ON_SCREEN
#include "show_on_screen.h"
#endif

/* The undocumented read of the colorization in force (ordinal 127): a fixed
 * record, every field distinct, standing for the user's own colours.  Not
 * exported by the no131 copy.  Logged with the fields it answered. */
HRESULT WINAPI DwmGetColorizationRecord(DWORD *record)
{
    static const DWORD user[7] = {0xC42E8AB7, 0x9A5C1D03, 41, 7, 29, 63, 1};
    if (record) memcpy(record, user, sizeof user);
    char line[320];
    snprintf(line, sizeof line,
             "{\"call\":\"127\",\"t\":%.6f,\"hex\":\"%08lX %08lX %08lX %08lX %08lX %08lX %08lX\"}\n",
             now_seconds(), user[0], user[1], user[2], user[3], user[4], user[5], user[6]);
    append_line(line);
    return S_OK;
}

#ifdef WITH_ORDINAL_131
/* The undocumented colorization entry: a record of seven 32-bit values and a
 * second argument.  Recorded; acted on only by the demo's copy. */
HRESULT WINAPI DwmSetColorizationRecord(const DWORD *record, UINT extra)
{
    DWORD f[7] = {0, 0, 0, 0, 0, 0, 0};
    if (record) memcpy(f, record, sizeof f);
    char line[320];
    snprintf(line, sizeof line,
             "{\"call\":\"131\",\"t\":%.6f,\"hex\":\"%08lX %08lX %08lX %08lX %08lX %08lX %08lX\","
             "\"fields\":[%lu,%lu,%ld,%ld,%ld,%ld,%ld],\"arg2\":%u}\n",
             now_seconds(), f[0], f[1], f[2], f[3], f[4], f[5], f[6],
             f[0], f[1], (long)f[2], (long)f[3], (long)f[4], (long)f[5], (long)f[6], extra);
    append_line(line);
#ifdef SHOW_ON_SCREEN
    show_colorization(f[0], f[6]);
#endif
    return S_OK;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance; (void)reason; (void)reserved;
    return TRUE;
}
