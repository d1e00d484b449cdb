#include "platform/win32/gbk_seam.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

namespace {

constexpr DWORD kLongestPath = 32768;

} // namespace

std::u16string Win32Process::ExecutablePath() {
    // The answer fills the whole buffer when the path was cut short: grow and ask again.
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) return AsUtf16(std::wstring_view(path).substr(0, length));
    }
    return {};
}

bool Win32Process::ChangeDirectory(std::u16string_view directory) {
    return SetCurrentDirectoryW(AsWide(directory).c_str()) != FALSE;
}

} // namespace korvane::platform
