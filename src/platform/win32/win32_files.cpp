#include "platform/win32/gbk_seam.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>

namespace korvane::platform {

namespace {

// Larger files are not the program's; refusing them keeps a stray file from exhausting memory.
constexpr ULONGLONG kLargestReadableFile = 64ull * 1024 * 1024;
constexpr DWORD kLargestWrite = 1u << 20;

bool WriteEvery(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kLargestWrite));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), wanted, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
    }
    return true;
}

} // namespace

bool Win32Files::Exists(std::u16string_view name) {
    return GetFileAttributesW(AsWide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::ReadAll(std::u16string_view name, std::string& bytes) {
    UniqueFile file(CreateFileW(AsWide(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<ULONGLONG>(size.QuadPart) > kLargestReadableFile)
        return false;

    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < content.size()) {
        DWORD read = 0;
        const auto wanted = static_cast<DWORD>(content.size() - filled);
        if (!ReadFile(file.Get(), content.data() + filled, wanted, &read, nullptr)) return false;
        if (read == 0) break; // the file shrank while it was read
        filled += read;
    }
    content.resize(filled);
    bytes = std::move(content);
    return true;
}

bool Win32Files::ReplaceWhole(std::u16string_view name, std::string_view bytes) {
    const std::wstring target = AsWide(name);
    const std::wstring temporary = target + L".tmp";
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    const bool written = WriteEvery(file.Get(), bytes) && FlushFileBuffers(file.Get());
    const bool closed = file.Close();
    if (written && closed &&
        MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

} // namespace korvane::platform
