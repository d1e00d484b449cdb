/* JSON-lines output; texts are read as ANSI bytes and written as UTF-8 so the
 * Linux side can compare readable Chinese. */
#include "helper.h"
#include <stdio.h>
#include <stdlib.h>

void out_begin(const char *kind)
{
    printf("{\"kind\":\"%s\"", kind);
}

static void put_json_utf8(const char *utf8)
{
    putchar('"');
    for (const unsigned char *p = (const unsigned char *)utf8; *p; ++p) {
        if (*p == '"' || *p == '\\') printf("\\%c", *p);
        else if (*p < 0x20) printf("\\u%04x", *p);
        else putchar(*p);
    }
    putchar('"');
}

void out_str(const char *key, const char *ansi_text)
{
    int wlen = MultiByteToWideChar(CP_ACP, 0, ansi_text, -1, NULL, 0);
    wchar_t *wide = calloc((size_t)wlen + 1, sizeof *wide);
    MultiByteToWideChar(CP_ACP, 0, ansi_text, -1, wide, wlen);
    int ulen = WideCharToMultiByte(CP_UTF8, 0, wide, -1, NULL, 0, NULL, NULL);
    char *utf8 = calloc((size_t)ulen + 1, 1);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, ulen, NULL, NULL);
    printf(",\"%s\":", key);
    put_json_utf8(utf8);
    /* The raw bytes as well, so byte-exact GBK texts can be checked. */
    printf(",\"%s_hex\":\"", key);
    for (const unsigned char *p = (const unsigned char *)ansi_text; *p; ++p) printf("%02X", *p);
    putchar('"');
    free(utf8);
    free(wide);
}

void out_int(const char *key, long value) { printf(",\"%s\":%ld", key, value); }

void out_hex(const char *key, unsigned long value) { printf(",\"%s\":\"0x%lX\"", key, value); }

void out_end(void)
{
    printf("}\n");
    fflush(stdout);
}

char *utf8_to_ansi(const wchar_t *wide)
{
    int len = WideCharToMultiByte(CP_ACP, 0, wide, -1, NULL, 0, NULL, NULL);
    char *ansi = calloc((size_t)len + 1, 1);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, len, NULL, NULL);
    return ansi;
}
