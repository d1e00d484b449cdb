#include "platform/win32/gbk_seam.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace korvane::platform {

namespace {

// Values larger than this are not the program's autostart text.
constexpr DWORD kLargestValue = 64 * 1024;

HKEY RootOf(Hive hive) {
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool OpenKey(Hive hive, std::u16string_view key, REGSAM access, UniqueRegistryKey& opened) {
    return RegOpenKeyExW(RootOf(hive), AsWide(key).c_str(), 0, access, opened.Receive()) ==
           ERROR_SUCCESS;
}

// Environment references such as %SystemRoot% replaced by their values.
std::optional<std::u16string> Expanded(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring expanded(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return std::nullopt;
    return AsUtf16(std::wstring_view(expanded.c_str(), wcsnlen(expanded.c_str(), written)));
}

} // namespace

std::optional<std::u16string> Win32Registry::ReadText(Hive hive, std::u16string_view key,
                                                      std::u16string_view name) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_QUERY_VALUE, opened)) return std::nullopt;

    const std::wstring valueName = AsWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kLargestValue) return std::nullopt;

    // One character more than asked for, so that a value stored without its zero (or with an
    // odd byte count) still ends in one.
    std::vector<WCHAR> data(size / sizeof(WCHAR) + 2, L'\0');
    if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    const std::size_t units = std::min<std::size_t>(size / sizeof(WCHAR), data.size() - 1);
    const std::wstring text(data.data(), wcsnlen(data.data(), units));
    return type == REG_EXPAND_SZ ? Expanded(text) : std::optional(AsUtf16(text));
}

bool Win32Registry::WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                              std::u16string_view data) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_SET_VALUE, opened)) return false;
    const std::wstring text = AsWide(data);
    return RegSetValueExW(opened.Get(), AsWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_SET_VALUE, opened)) return false;
    return RegDeleteValueW(opened.Get(), AsWide(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) {
    // An empty subkey would name the opened key itself; the program never means that.
    if (subkey.empty()) return false;
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_WRITE, opened)) return false;
    return RegDeleteKeyW(opened.Get(), AsWide(subkey).c_str()) == ERROR_SUCCESS;
}

} // namespace korvane::platform
