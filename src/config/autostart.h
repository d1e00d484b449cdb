#pragma once
// The autostart value "Korvane.exe" under the Run key. It is written under HKEY_LOCAL_MACHINE and,
// when that is refused (a standard user), under HKEY_CURRENT_USER; the data is the quoted path.
// Paths are UTF-16 throughout, so a folder named in any language is registered as it is.
#include "platform/registry.h"

#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::u16string_view kRunKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kRunKeyForWriting =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kAutostartValueName = u"Korvane.exe";

// A non-empty text value under either hive.
bool IsAutostartRegistered(platform::Registry& registry);
// The value is named after the executable's own file name; its data is the full path in quotes.
bool RegisterAutostart(platform::Registry& registry, std::u16string_view executablePath);
// Removes the value (or, failing that, a subkey of that name) from both hives.
void RemoveAutostart(platform::Registry& registry);

std::u16string QuotedPath(std::u16string_view path);
// The parts of a path on either side of its last backslash. The folder of a file in a drive's
// root keeps its backslash ("C:\"): "C:" alone names the drive's current folder, not its root.
std::u16string_view FileNameOf(std::u16string_view path);
std::u16string_view DirectoryOf(std::u16string_view path);

} // namespace korvane
