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

// ReplaceFileW refusals that a plain move must not get past: the file is protected or in use,
// and a move would either fail the same way or drop what its owner set on it.
bool RefusedByTheFile(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_WRITE_PROTECT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return true;
    default:
        return false;
    }
}

// An existing file is replaced by ReplaceFileW, which keeps its attributes and access rules.
// Where that fails for another reason (the file vanished meanwhile, or was moved aside and the
// temporary file is still there, or the file system cannot replace), the move of a new file
// serves.
bool MoveOver(const std::wstring& temporary, const std::wstring& target, bool targetExists) {
    if (targetExists) {
        if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
            return true;
        if (RefusedByTheFile(GetLastError())) return false;
    }
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
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

ReplaceResult Win32Files::ReplaceWhole(std::u16string_view name, std::string_view bytes) {
    const std::wstring target = AsWide(name);
    const std::wstring temporary = target + L".tmp";
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
    if (targetExists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
                            FILE_ATTRIBUTE_READONLY)
        return ReplaceResult::ReadOnly;

    // A temporary file left by an earlier attempt may carry attributes (read-only, hidden) that
    // would make CREATE_ALWAYS fail; it is ours to overwrite.
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return ReplaceResult::Failed;
    const bool written = WriteEvery(file.Get(), bytes) && FlushFileBuffers(file.Get());
    if (file.Close() && written && MoveOver(temporary, target, targetExists))
        return ReplaceResult::Replaced;
    DeleteFileW(temporary.c_str());
    return ReplaceResult::Failed;
}

} // namespace korvane::platform
