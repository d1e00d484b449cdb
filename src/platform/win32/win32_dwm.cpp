#include "platform/win32/declared_functions.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

namespace {

using IsCompositionEnabledFunction = HRESULT WINAPI(BOOL* enabled);
// The undocumented export 131: the colorization record and a flag the program leaves at 0.
using SetColorizationParametersFunction = HRESULT WINAPI(const ColorizationParameters* record,
                                                         UINT unknown);

} // namespace

bool Win32Dwm::IsCompositionEnabled() {
    BOOL enabled = FALSE;
    Declared<IsCompositionEnabledFunction>(DeclaredFunction::DwmIsCompositionEnabled)(&enabled);
    return enabled != FALSE;
}

void Win32Dwm::ApplyColorization(const ColorizationParameters& parameters) {
    Declared<SetColorizationParametersFunction>(DeclaredFunction::DwmSetColorizationParameters)(
        &parameters, 0);
}

} // namespace korvane::platform
