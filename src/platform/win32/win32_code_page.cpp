#include "platform/win32/declared_functions.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

namespace {

using WideCharToMultiByteFunction = int WINAPI(UINT codePage, DWORD flags, LPCWCH wide,
                                               int wideLength, LPSTR out, int outSize,
                                               LPCCH defaultChar, LPBOOL usedDefault);

} // namespace

int Win32CodePage::WideToAnsi(std::uint16_t unit, char* out, int outSize) {
    if (out == nullptr || outSize <= 0) return 0;
    const WCHAR wide = static_cast<WCHAR>(unit);
    return Declared<WideCharToMultiByteFunction>(DeclaredFunction::WideCharToMultiByte)(
        CP_ACP, 0, &wide, 1, out, outSize, nullptr, nullptr);
}

} // namespace korvane::platform
