#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace korvane::platform {

namespace {

// Values larger than this are not the program's autostart text.
constexpr DWORD kLargestValue = 64 * 1024;

HKEY RootOf(Hive hive) {
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool OpenKey(Hive hive, std::string_view key, REGSAM access, UniqueRegistryKey& opened) {
    return RegOpenKeyExA(RootOf(hive), std::string(key).c_str(), 0, access, opened.Receive()) ==
           ERROR_SUCCESS;
}

// Environment references such as %SystemRoot% replaced by their values.
std::optional<std::string> Expanded(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::string expanded(needed, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return std::nullopt;
    expanded.resize(strnlen(expanded.c_str(), written));
    return expanded;
}

} // namespace

std::optional<std::string> Win32Registry::ReadText(Hive hive, std::string_view key,
                                                   std::string_view name) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_QUERY_VALUE, opened)) return std::nullopt;

    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kLargestValue) return std::nullopt;

    // One byte more than asked for, so that a value stored without its zero still ends in one.
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    const std::string text(data.data(),
                           strnlen(data.data(), std::min<std::size_t>(size, data.size())));
    return type == REG_EXPAND_SZ ? Expanded(text) : std::optional<std::string>(text);
}

bool Win32Registry::WriteText(Hive hive, std::string_view key, std::string_view name,
                              std::string_view data) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_SET_VALUE, opened)) return false;
    const std::string text(data);
    return RegSetValueExA(opened.Get(), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_SET_VALUE, opened)) return false;
    return RegDeleteValueA(opened.Get(), std::string(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(Hive hive, std::string_view key, std::string_view subkey) {
    // An empty subkey would name the opened key itself; the program never means that.
    if (subkey.empty()) return false;
    UniqueRegistryKey opened;
    if (!OpenKey(hive, key, KEY_WRITE, opened)) return false;
    return RegDeleteKeyA(opened.Get(), std::string(subkey).c_str()) == ERROR_SUCCESS;
}

} // namespace korvane::platform
