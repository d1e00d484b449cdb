#include "platform/win32/runtime_functions.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

using enum RuntimeFunction;

bool Win32Dwm::IsCompositionEnabled() {
    BOOL enabled = FALSE;
    Declared<DwmIsCompositionEnabled>()(&enabled);
    return enabled != FALSE;
}

void Win32Dwm::ApplyColorization(const ColorizationParameters& parameters) {
    Declared<DwmSetColorizationParameters>()(&parameters, 0);
}

std::optional<ColorizationParameters> Win32Dwm::ColorizationInForce() {
    const auto read = IfPresent<DwmGetColorizationParameters>();
    if (read == nullptr) return std::nullopt;
    ColorizationParameters parameters;
    if (FAILED(read(&parameters))) return std::nullopt;
    return parameters;
}

} // namespace korvane::platform
