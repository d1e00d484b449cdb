#include "platform/win32/runtime_functions.h"

#include "platform/fatal_error_text.h"
#include "platform/win32/gbk_seam.h"

#include <cstddef>
#include <string>

namespace korvane::platform {

namespace {

struct RuntimeEntryName {
    const char* Library;
    const char* Entry; // "#n" names the export with ordinal n
    Need Needed;
};

constexpr RuntimeEntryName kEntries[] = {
#define KORVANE_RUNTIME_ENTRY(name, library, entry, need, ...) {library, entry, Need::need},
    KORVANE_RUNTIME_FUNCTIONS(KORVANE_RUNTIME_ENTRY)
#undef KORVANE_RUNTIME_ENTRY
};

struct Resolution {
    bool LookedUp = false;
    FARPROC Address = nullptr;
};
Resolution resolutions[std::size(kEntries)];

void (*beforeFatalExit)() = nullptr;

// An ordinal "#n" with n from 1 to 65535; 0 when the entry is a name.
WORD OrdinalOf(const char* entry) {
    if (entry[0] != '#' || entry[1] == '\0') return 0;
    unsigned long value = 0;
    for (const char* digit = entry + 1; *digit != '\0'; ++digit) {
        if (*digit < '0' || *digit > '9') return 0;
        value = value * 10 + static_cast<unsigned long>(*digit - '0');
        if (value > 0xFFFF) return 0;
    }
    return static_cast<WORD>(value);
}

// LOAD_LIBRARY_SEARCH_SYSTEM32 came with SetDefaultDllDirectories (Windows 8, and Windows 7 with
// the update that added both); that export's presence is the documented test for the flag. It is
// only looked for, never called: the process's own search order stays as Windows made it, for the
// code that Windows loads into it (input methods load their helpers by bare name).
bool SystemFolderSearchExists() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    // GetProcAddress has no ...W form: export names are ASCII.
    return kernel != nullptr && GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
}

// A bare name would be looked for in the program's own folder first, where anyone who can drop a
// file beside Korvane.exe (a download folder) could plant a library of that name.
HMODULE LoadFromSystemFolder(const char* library) {
    const std::wstring name = WideFromGbk(library);
    if (SystemFolderSearchExists())
        return LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    WCHAR folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

FARPROC Resolve(const RuntimeEntryName& entry) {
    const HMODULE library = LoadFromSystemFolder(entry.Library);
    if (library == nullptr) return nullptr;
    const WORD ordinal = OrdinalOf(entry.Entry);
    // GetProcAddress has no ...W form: export names and ordinals only.
    return ordinal != 0 ? GetProcAddress(library, MAKEINTRESOURCEA(ordinal))
                        : GetProcAddress(library, entry.Entry);
}

[[noreturn]] void FailMissing(const RuntimeEntryName& entry) {
    const std::wstring text = WideFromGbk(FatalErrorText(entry.Library, entry.Entry));
    const std::wstring caption = WideFromGbk(kFatalErrorCaption);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), kFatalErrorStyle);
    if (beforeFatalExit != nullptr) beforeFatalExit();
    ExitProcess(static_cast<UINT>(-1));
}

} // namespace

void SetBeforeFatalExit(void (*action)()) {
    beforeFatalExit = action;
}

FARPROC RuntimeAddress(RuntimeFunction function) {
    const auto index = static_cast<std::size_t>(function);
    if (index >= std::size(kEntries)) ExitProcess(static_cast<UINT>(-1));
    Resolution& resolution = resolutions[index];
    if (!resolution.LookedUp) {
        resolution.Address = Resolve(kEntries[index]);
        resolution.LookedUp = true;
    }
    if (resolution.Address == nullptr && kEntries[index].Needed == Need::Required)
        FailMissing(kEntries[index]);
    return resolution.Address;
}

} // namespace korvane::platform
