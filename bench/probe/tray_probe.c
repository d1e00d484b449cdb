/* tray_probe: reports when the notification area of the virtual desktop changes, i.e. when a
 * program's tray icon is first drawn.  Runs inside the Wine prefix, started before the program.
 *   tray_probe <timeout_ms>
 * Prints "ready <t>" once it holds the empty tray's pixels, then "changed <t>" or "timeout";
 * t is QueryPerformanceCounter seconds, which under Wine is the Linux CLOCK_MONOTONIC_RAW. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The notification area: the right end of the taskbar at the bottom of the desktop. */
#define REGION_W 60
#define REGION_H 28
#define POLL_MS 5

static double now_seconds(void)
{
    LARGE_INTEGER count, freq;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&freq);
    return (double)count.QuadPart / (double)freq.QuadPart;
}

/* One screen grab of the region into 32-bit pixels; returns 0 on failure. */
static int grab(HDC screen, HDC memory, HBITMAP bitmap, int x, int y, DWORD *pixels)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = REGION_W;
    info.bmiHeader.biHeight = -REGION_H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, REGION_W, REGION_H, screen, x, y, SRCCOPY);
    SelectObject(memory, old);
    if (!copied) return 0;
    return GetDIBits(memory, bitmap, 0, REGION_H, pixels, &info, DIB_RGB_COLORS) == REGION_H;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fputs("usage: tray_probe <timeout_ms>\n", stderr);
        return 2;
    }
    DWORD timeout = (DWORD)strtoul(argv[1], NULL, 10);
    int x = GetSystemMetrics(SM_CXSCREEN) - REGION_W;
    int y = GetSystemMetrics(SM_CYSCREEN) - REGION_H;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, REGION_W, REGION_H);
    static DWORD baseline[REGION_W * REGION_H], current[REGION_W * REGION_H];
    if (!grab(screen, memory, bitmap, x, y, baseline)) {
        puts("error grab");
        return 1;
    }
    printf("ready %.6f\n", now_seconds());
    fflush(stdout);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        Sleep(POLL_MS);
        double t = now_seconds();
        if (grab(screen, memory, bitmap, x, y, current) && memcmp(baseline, current, sizeof current)) {
            printf("changed %.6f\n", t);
            fflush(stdout);
            return 0;
        }
    }
    puts("timeout");
    return 1;
}
