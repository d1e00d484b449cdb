#include "platform/host/memory_registry.h"

namespace korvane::platform {
namespace {

std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

} // namespace

MemoryRegistry::Name MemoryRegistry::Key(Hive hive, std::u16string_view key,
                                         std::u16string_view name) {
    return {hive, Lower(key), Lower(name)};
}

std::optional<std::u16string> MemoryRegistry::ReadText(Hive hive, std::u16string_view key,
                                                       std::u16string_view name) {
    ++calls;
    if (refuseEverything) return std::nullopt;
    const auto it = values_.find(Key(hive, key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistry::WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                               std::u16string_view data) {
    ++calls;
    if (refuseEverything || refuseWrites.contains(hive)) return false;
    values_[Key(hive, key, name)] = std::u16string(data);
    return true;
}

bool MemoryRegistry::DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    ++calls;
    if (refuseEverything || refuseWrites.contains(hive)) return false;
    return values_.erase(Key(hive, key, name)) > 0;
}

bool MemoryRegistry::DeleteKey(Hive, std::u16string_view, std::u16string_view) {
    ++calls;
    return false; // the model holds values only
}

void MemoryRegistry::PutNonText(Hive hive, std::u16string_view key, std::u16string_view name) {
    values_[Key(hive, key, name)] = std::nullopt;
}

bool MemoryRegistry::Has(Hive hive, std::u16string_view key, std::u16string_view name) const {
    return values_.contains(Key(hive, key, name));
}

} // namespace korvane::platform
