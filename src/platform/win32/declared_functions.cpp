#include "platform/win32/declared_functions.h"

#include "platform/fatal_error_text.h"
#include "platform/win32/gbk_seam.h"

#include <cstddef>
#include <string>

namespace korvane::platform {

namespace {

struct DeclaredEntry {
    const char* Library;
    const char* Entry; // "#n" names the export with ordinal n
    FARPROC Address;
};

// In the order of DeclaredFunction. The library names are kept as written: they are also the
// names the error box shows.
DeclaredEntry declaredEntries[] = {
    {"dwmapi.dll", "#131", nullptr},
    {"dwmapi.dll", "DwmIsCompositionEnabled", nullptr},
    {"kernel32", "WideCharToMultiByte", nullptr},
    {"kernel32.dll", "GetVersionExW", nullptr},
    {"Kernel32.dll", "GetProductInfo", nullptr},
};

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

using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD directoryFlags);

// Present from Windows 8 on, and on Windows 7 with the update that added it; with it come the
// LOAD_LIBRARY_SEARCH_* flags.
SetDefaultDllDirectoriesFunction* SetDefaultDllDirectoriesEntry() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return nullptr;
    // GetProcAddress has no ...W form: export names are ASCII.
    return reinterpret_cast<SetDefaultDllDirectoriesFunction*>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

// A bare name would be looked for in the program's own folder first, where anyone who can drop a
// file beside Korvane.exe (a download folder) could plant a library of that name.
HMODULE LoadFromSystemFolder(const char* library) {
    const std::wstring name = WideFromGbk(library);
    if (SetDefaultDllDirectoriesEntry() != nullptr)
        return LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    WCHAR folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

FARPROC Resolve(const DeclaredEntry& entry) {
    const HMODULE library = LoadFromSystemFolder(entry.Library);
    if (library == nullptr) return nullptr;
    const WORD ordinal = OrdinalOf(entry.Entry);
    // GetProcAddress has no ...W form: export names and ordinals only.
    return ordinal != 0 ? GetProcAddress(library, MAKEINTRESOURCEA(ordinal))
                        : GetProcAddress(library, entry.Entry);
}

[[noreturn]] void FailMissing(const DeclaredEntry& entry) {
    const std::wstring text = WideFromGbk(FatalErrorText(entry.Library, entry.Entry));
    const std::wstring caption = WideFromGbk(kFatalErrorCaption);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), kFatalErrorStyle);
    ExitProcess(static_cast<UINT>(-1));
}

} // namespace

void LoadLibrariesFromSystemFolderOnly() {
    if (SetDefaultDllDirectoriesFunction* setDefault = SetDefaultDllDirectoriesEntry())
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC DeclaredAddress(DeclaredFunction function) {
    const auto index = static_cast<std::size_t>(function);
    if (index >= std::size(declaredEntries)) ExitProcess(static_cast<UINT>(-1));
    DeclaredEntry& entry = declaredEntries[index];
    if (entry.Address == nullptr) entry.Address = Resolve(entry);
    if (entry.Address == nullptr) FailMissing(entry);
    return entry.Address;
}

} // namespace korvane::platform
