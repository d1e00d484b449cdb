#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace korvane::platform {

namespace {

constexpr DWORD kLongestPath = 32768;

} // namespace

std::string Win32Process::ExecutablePath() {
    // The answer fills the whole buffer when the path was cut short: grow and ask again.
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

bool Win32Process::ChangeDirectory(std::string_view directory) {
    return SetCurrentDirectoryA(std::string(directory).c_str()) != FALSE;
}

} // namespace korvane::platform
