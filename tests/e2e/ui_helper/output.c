/* JSON-lines output; texts come as UTF-16 and are written as UTF-8 so the
 * Linux side compares readable Chinese. */
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

void out_str(const char *key, const wchar_t *text)
{
    int ulen = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char *utf8 = calloc((size_t)ulen + 1, 1);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, ulen, NULL, NULL);
    printf(",\"%s\":", key);
    put_json_utf8(utf8);
    free(utf8);
}

void out_int(const char *key, long value) { printf(",\"%s\":%ld", key, value); }

void out_hex(const char *key, unsigned long value) { printf(",\"%s\":\"0x%lX\"", key, value); }

void out_end(void)
{
    printf("}\n");
    fflush(stdout);
}
