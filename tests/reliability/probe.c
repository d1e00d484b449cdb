/* probe: looks at a running program from inside its Wine prefix, for the long run.
 *   probe stats <exe-name>           memory and handle counts as one JSON line
 *   probe ping <class> <timeout_ms>  does the window of that class answer a message?
 *   probe close <class>              posts WM_CLOSE to that window
 * Exit code 0 = done, 1 = process/window not found or no answer, 2 = usage. */
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static DWORD find_pid(const char *name)
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {.dwSize = sizeof entry};
    DWORD pid = 0;
    for (BOOL ok = Process32First(snap, &entry); ok && !pid; ok = Process32Next(snap, &entry))
        if (_stricmp(entry.szExeFile, name) == 0) pid = entry.th32ProcessID;
    CloseHandle(snap);
    return pid;
}

/* Under Wine GetProcessHandleCount and PrivateUsage of another process read 0; the
 * wineserver's handle list and the committed private regions of the address space
 * are real. */
typedef struct {
    ULONG pid;
    BYTE type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
} handle_entry;
typedef LONG(WINAPI *query_system_fn)(ULONG, PVOID, ULONG, PULONG);

static long count_handles(DWORD pid)
{
    query_system_fn query =
        (query_system_fn)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    if (!query) return -1;
    ULONG size = 1 << 16;
    for (int tries = 0; tries < 12; ++tries, size *= 2) {
        BYTE *buffer = malloc(size);
        if (!buffer) return -1;
        ULONG needed = 0;
        LONG status = query(16 /* SystemHandleInformation */, buffer, size, &needed);
        if (status == 0) {
            ULONG total = *(ULONG *)buffer;
            handle_entry *entries = (handle_entry *)(buffer + sizeof(ULONG_PTR));
            long mine = 0;
            for (ULONG i = 0; i < total; ++i) mine += entries[i].pid == pid;
            free(buffer);
            return mine;
        }
        free(buffer);
        if (status != (LONG)0xC0000004) return -1; /* STATUS_INFO_LENGTH_MISMATCH: grow */
    }
    return -1;
}

static long long private_committed(HANDLE p)
{
    long long total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (BYTE *at = 0; VirtualQueryEx(p, at, &info, sizeof info) == sizeof info;) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += (long long)info.RegionSize;
        BYTE *next = (BYTE *)info.BaseAddress + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

static int stats(const char *name)
{
    DWORD pid = find_pid(name);
    if (!pid) { printf("{\"error\":\"no process\"}\n"); return 1; }
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!p) { printf("{\"error\":\"open failed\",\"code\":%lu}\n", GetLastError()); return 1; }
    PROCESS_MEMORY_COUNTERS_EX mem = {.cb = sizeof mem};
    BOOL have_mem = GetProcessMemoryInfo(p, (PROCESS_MEMORY_COUNTERS *)&mem, sizeof mem);
    DWORD handles = 0;
    BOOL have_handles = GetProcessHandleCount(p, &handles);
    printf("{\"pid\":%lu,\"private\":%lld,\"private_committed\":%lld,\"working_set\":%lld,"
           "\"handles\":%ld,\"server_handles\":%ld}\n",
           pid, have_mem ? (long long)mem.PrivateUsage : -1LL, private_committed(p),
           have_mem ? (long long)mem.WorkingSetSize : -1LL, have_handles ? (long)handles : -1L,
           count_handles(pid));
    CloseHandle(p);
    return 0;
}

static int ping(const char *cls, DWORD timeout)
{
    HWND w = FindWindowA(cls, NULL);
    if (!w) { printf("{\"found\":false}\n"); return 1; }
    DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    /* No SMTO_ABORTIFHUNG: a fetch may block the thread for its full time-out, and
     * the question is whether it answers within ours. */
    LRESULT ok = SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result);
    printf("{\"found\":true,\"answered\":%s,\"ms\":%lu}\n", ok ? "true" : "false",
           GetTickCount() - start);
    return ok ? 0 : 1;
}

int main(int argc, char **argv)
{
    if (argc >= 3 && strcmp(argv[1], "stats") == 0) return stats(argv[2]);
    if (argc >= 4 && strcmp(argv[1], "ping") == 0) return ping(argv[2], (DWORD)atol(argv[3]));
    if (argc >= 3 && strcmp(argv[1], "close") == 0) {
        HWND w = FindWindowA(argv[2], NULL);
        printf("{\"found\":%s}\n", w ? "true" : "false");
        return w && PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    fputs("usage: probe stats <exe> | ping <class> <timeout_ms> | close <class>\n", stderr);
    return 2;
}
