#include "platform/host/memory_registry.h"

#include <cctype>

namespace korvane::platform {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

} // namespace

MemoryRegistry::Name MemoryRegistry::Key(Hive hive, std::string_view key, std::string_view name) {
    return {hive, Lower(key), Lower(name)};
}

std::optional<std::string> MemoryRegistry::ReadText(Hive hive, std::string_view key,
                                                    std::string_view name) {
    ++calls;
    if (refuseEverything) return std::nullopt;
    const auto it = values_.find(Key(hive, key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistry::WriteText(Hive hive, std::string_view key, std::string_view name,
                               std::string_view data) {
    ++calls;
    if (refuseEverything || refuseWrites.contains(hive)) return false;
    values_[Key(hive, key, name)] = std::string(data);
    return true;
}

bool MemoryRegistry::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    ++calls;
    if (refuseEverything || refuseWrites.contains(hive)) return false;
    return values_.erase(Key(hive, key, name)) > 0;
}

bool MemoryRegistry::DeleteKey(Hive, std::string_view, std::string_view) {
    ++calls;
    return false; // the model holds values only
}

void MemoryRegistry::PutNonText(Hive hive, std::string_view key, std::string_view name) {
    values_[Key(hive, key, name)] = std::nullopt;
}

bool MemoryRegistry::Has(Hive hive, std::string_view key, std::string_view name) const {
    return values_.contains(Key(hive, key, name));
}

} // namespace korvane::platform
