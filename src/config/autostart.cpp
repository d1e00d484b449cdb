#include "config/autostart.h"

namespace korvane {

using platform::Hive;

bool IsAutostartRegistered(platform::Registry& registry) {
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        const auto value = registry.ReadText(hive, kRunKey, kAutostartValueName);
        if (value && !value->empty()) return true;
    }
    return false;
}

bool RegisterAutostart(platform::Registry& registry, std::u16string_view executablePath) {
    const std::u16string data = QuotedPath(executablePath);
    const std::u16string_view name = FileNameOf(executablePath);
    if (registry.WriteText(Hive::LocalMachine, kRunKeyForWriting, name, data)) return true;
    return registry.WriteText(Hive::CurrentUser, kRunKeyForWriting, name, data);
}

void RemoveAutostart(platform::Registry& registry) {
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        if (!registry.DeleteValue(hive, kRunKey, kAutostartValueName))
            registry.DeleteKey(hive, kRunKey, kAutostartValueName);
    }
}

std::u16string QuotedPath(std::u16string_view path) {
    std::u16string quoted;
    quoted.reserve(path.size() + 2);
    quoted += u'"';
    quoted += path;
    quoted += u'"';
    return quoted;
}

std::u16string_view FileNameOf(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string_view DirectoryOf(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {};
    // "C:\Korvane.exe" and "\\?\C:\Korvane.exe": the root folder ends in its backslash.
    const bool driveRoot = slash > 0 && path[slash - 1] == u':';
    return path.substr(0, driveRoot ? slash + 1 : slash);
}

} // namespace korvane
