#pragma once
// The library functions the program binds at run time instead of importing them, each named once
// in one table with its library, its entry ("#n" names the export with ordinal n), whether the
// program needs it, and its signature. Each is loaded from the system folder on its first use and
// remembered. A required one that cannot be found is fatal: the error box is shown and the process
// ends with exit code -1. An optional one that cannot be found is answered with nullptr and its
// caller does without it.
#include "platform/dwm.h"

#include <windows.h>

namespace korvane::platform {

// X(name, library, entry, Required or Optional, signature). The library names are kept as
// written: they are also the names the error box shows.
#define KORVANE_RUNTIME_FUNCTIONS(X)                                                               \
    /* The undocumented colorization entry: the record and a flag the program leaves at 0. */      \
    X(DwmSetColorizationParameters, "dwmapi.dll", "#131", Required,                                \
      HRESULT WINAPI(const ColorizationParameters* record, UINT unknown))                          \
    X(DwmIsCompositionEnabled, "dwmapi.dll", "DwmIsCompositionEnabled", Required,                  \
      HRESULT WINAPI(BOOL* enabled))                                                               \
    /* Its undocumented counterpart: fills the same record with the colorization in force. */      \
    X(DwmGetColorizationParameters, "dwmapi.dll", "#127", Optional,                                \
      HRESULT WINAPI(ColorizationParameters* record))                                              \
    X(WideCharToMultiByte, "kernel32", "WideCharToMultiByte", Required,                            \
      int WINAPI(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR out, int outSize,  \
                 LPCCH defaultChar, LPBOOL usedDefault))                                           \
    X(GetVersionExW, "kernel32.dll", "GetVersionExW", Required,                                    \
      BOOL WINAPI(OSVERSIONINFOEXW* information))                                                  \
    X(GetProductInfo, "Kernel32.dll", "GetProductInfo", Required,                                  \
      BOOL WINAPI(DWORD major, DWORD minor, DWORD servicePackMajor, DWORD servicePackMinor,        \
                  DWORD* productType))                                                             \
    X(AllowSetForegroundWindow, "user32.dll", "AllowSetForegroundWindow", Optional,                \
      BOOL WINAPI(DWORD processId))                                                                \
    /* Windows 7 and later. */                                                                     \
    X(ChangeWindowMessageFilterEx, "user32.dll", "ChangeWindowMessageFilterEx", Optional,          \
      BOOL WINAPI(HWND window, UINT message, DWORD action, CHANGEFILTERSTRUCT* status))

enum class RuntimeFunction {
#define KORVANE_RUNTIME_NAME(name, library, entry, need, ...) name,
    KORVANE_RUNTIME_FUNCTIONS(KORVANE_RUNTIME_NAME)
#undef KORVANE_RUNTIME_NAME
};

enum class Need { Required, Optional };

template <RuntimeFunction function> struct RuntimeFunctionOf;
#define KORVANE_RUNTIME_TRAITS(name, library, entry, need, ...)                                    \
    template <> struct RuntimeFunctionOf<RuntimeFunction::name> {                                  \
        using Signature = __VA_ARGS__;                                                             \
        static constexpr Need kNeed = Need::need;                                                  \
    };
KORVANE_RUNTIME_FUNCTIONS(KORVANE_RUNTIME_TRAITS)
#undef KORVANE_RUNTIME_TRAITS

// The entry's address, resolved and remembered on the first call. A required entry that cannot be
// found does not return; a missing optional one is nullptr.
FARPROC RuntimeAddress(RuntimeFunction function);

// Run after the fatal-error box, before the process ends; one action, the last one set. The
// WinINet layer sets the closing of its session here when it opens one.
void SetBeforeFatalExit(void (*action)());

template <RuntimeFunction function>
using RuntimeSignature = typename RuntimeFunctionOf<function>::Signature;

template <RuntimeFunction function> RuntimeSignature<function>* RuntimeEntry() {
    // Through void(*)(), the one function pointer type GCC accepts any function cast from.
    return reinterpret_cast<RuntimeSignature<function>*>(
        reinterpret_cast<void (*)()>(RuntimeAddress(function)));
}

// A required function, for example Declared<RuntimeFunction::DwmIsCompositionEnabled>()(&on).
template <RuntimeFunction function> RuntimeSignature<function>* Declared() {
    static_assert(RuntimeFunctionOf<function>::kNeed == Need::Required);
    return RuntimeEntry<function>();
}

// An optional function, or nullptr where this Windows lacks it.
template <RuntimeFunction function> RuntimeSignature<function>* IfPresent() {
    static_assert(RuntimeFunctionOf<function>::kNeed == Need::Optional);
    return RuntimeEntry<function>();
}

} // namespace korvane::platform
