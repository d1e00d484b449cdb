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

bool RegisterAutostart(platform::Registry& registry, std::string_view executablePath) {
    const std::string data = QuotedPath(executablePath);
    const std::string_view name = FileNameOf(executablePath);
    if (registry.WriteText(Hive::LocalMachine, kRunKeyForWriting, name, data)) return true;
    return registry.WriteText(Hive::CurrentUser, kRunKeyForWriting, name, data);
}

void RemoveAutostart(platform::Registry& registry) {
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        if (!registry.DeleteValue(hive, kRunKey, kAutostartValueName))
            registry.DeleteKey(hive, kRunKey, kAutostartValueName);
    }
}

std::string QuotedPath(std::string_view path) {
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted += '"';
    quoted += path;
    quoted += '"';
    return quoted;
}

namespace {

// The last backslash that is a character of its own: in GBK, 0x5C can also be the second byte of
// a double-byte character (for example in a Chinese folder name).
std::size_t LastBackslash(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80)
            ++i;
        else if (byte == '\\')
            last = i;
    }
    return last;
}

} // namespace

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = LastBackslash(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view DirectoryOf(std::string_view path) {
    const std::size_t slash = LastBackslash(path);
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}

} // namespace korvane
