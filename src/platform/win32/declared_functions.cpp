#include "platform/win32/declared_functions.h"

#include "platform/fatal_error_text.h"

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
    {"kernel32.dll", "GetVersionExA", nullptr},
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

FARPROC Resolve(const DeclaredEntry& entry) {
    const HMODULE library = LoadLibraryA(entry.Library);
    if (library == nullptr) return nullptr;
    const WORD ordinal = OrdinalOf(entry.Entry);
    return ordinal != 0 ? GetProcAddress(library, MAKEINTRESOURCEA(ordinal))
                        : GetProcAddress(library, entry.Entry);
}

[[noreturn]] void FailMissing(const DeclaredEntry& entry) {
    const std::string text = FatalErrorText(entry.Library, entry.Entry);
    const std::string caption(kFatalErrorCaption);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), kFatalErrorStyle);
    ExitProcess(static_cast<UINT>(-1));
}

} // namespace

FARPROC DeclaredAddress(DeclaredFunction function) {
    const auto index = static_cast<std::size_t>(function);
    if (index >= std::size(declaredEntries)) ExitProcess(static_cast<UINT>(-1));
    DeclaredEntry& entry = declaredEntries[index];
    if (entry.Address == nullptr) entry.Address = Resolve(entry);
    if (entry.Address == nullptr) FailMissing(entry);
    return entry.Address;
}

} // namespace korvane::platform
