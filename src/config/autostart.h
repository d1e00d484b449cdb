#pragma once
// The autostart value "Korvane.exe" under the Run key. It is written under HKEY_LOCAL_MACHINE and,
// when that is refused (a standard user), under HKEY_CURRENT_USER; the data is the quoted path.
#include "platform/registry.h"

#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunKeyForWriting =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kAutostartValueName = "Korvane.exe";

// A non-empty text value under either hive.
bool IsAutostartRegistered(platform::Registry& registry);
// The value is named after the executable's own file name; its data is the full path in quotes.
bool RegisterAutostart(platform::Registry& registry, std::string_view executablePath);
// Removes the value (or, failing that, a subkey of that name) from both hives.
void RemoveAutostart(platform::Registry& registry);

std::string QuotedPath(std::string_view path);
std::string_view FileNameOf(std::string_view path);
std::string_view DirectoryOf(std::string_view path);

} // namespace korvane
