#pragma once
// Library functions the program does not import but binds on first use, each from its library in
// the system folder. A missing library or entry is fatal: the error box is shown and the process
// ends with exit code -1.
#include <windows.h>

namespace korvane::platform {

enum class DeclaredFunction {
    DwmSetColorizationParameters, // dwmapi.dll, ordinal 131
    DwmIsCompositionEnabled,
    WideCharToMultiByte,
    GetVersionExW,
    GetProductInfo,
};

// From now on every library the process loads by a bare name, the system's own loads included,
// comes from the system folder only, where the system can (SetDefaultDllDirectories exists).
void LoadLibrariesFromSystemFolderOnly();

// The entry's address; resolved and remembered on the first call. Never returns null.
FARPROC DeclaredAddress(DeclaredFunction function);

// The entry as a function of the given type, for example
// Declared<HRESULT WINAPI(BOOL*)>(DeclaredFunction::DwmIsCompositionEnabled).
template <typename Signature> Signature* Declared(DeclaredFunction function) {
    // Through void(*)(), the one function pointer type GCC accepts any function cast from.
    return reinterpret_cast<Signature*>(reinterpret_cast<void (*)()>(DeclaredAddress(function)));
}

} // namespace korvane::platform
