#include "platform/host/memory_registry.h"

namespace korvane::platform {
namespace {

std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

// Where Windows keeps the autostart values; present in both hives of an installation.
constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool IsWithin(const std::u16string& key, const std::u16string& parent) {
    return key.size() > parent.size() && key.compare(0, parent.size(), parent) == 0 &&
           key[parent.size()] == u'\\';
}

} // namespace

MemoryRegistry::MemoryRegistry() {
    CreateKey(Hive::LocalMachine, kRunKey);
    CreateKey(Hive::CurrentUser, kRunKey);
}

void MemoryRegistry::CreateKey(Hive hive, std::u16string_view key) {
    const std::u16string path = Lower(key);
    for (std::size_t end = path.find(u'\\'); end != std::u16string::npos;
         end = path.find(u'\\', end + 1))
        keys_.insert({hive, path.substr(0, end)});
    keys_.insert({hive, path});
}

void MemoryRegistry::RemoveKey(Hive hive, std::u16string_view key) {
    const std::u16string path = Lower(key);
    std::erase_if(keys_, [&](const auto& entry) {
        return entry.first == hive && (entry.second == path || IsWithin(entry.second, path));
    });
    std::erase_if(values_, [&](const auto& entry) {
        const auto& [valueHive, valueKey, name] = entry.first;
        return valueHive == hive && (valueKey == path || IsWithin(valueKey, path));
    });
}

bool MemoryRegistry::HasKey(Hive hive, std::u16string_view key) const {
    return keys_.contains({hive, Lower(key)});
}

MemoryRegistry::Name MemoryRegistry::Key(Hive hive, std::u16string_view key,
                                         std::u16string_view name) {
    return {hive, Lower(key), Lower(name)};
}

std::optional<std::u16string> MemoryRegistry::ReadText(Hive hive, std::u16string_view key,
                                                       std::u16string_view name) {
    ++calls;
    if (refuseEverything || !HasKey(hive, key)) return std::nullopt;
    const auto it = values_.find(Key(hive, key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistry::WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                               std::u16string_view data) {
    ++calls;
    // Writing opens the key; it is never created on the way.
    if (refuseEverything || refuseWrites.contains(hive) || !HasKey(hive, key)) return false;
    values_[Key(hive, key, name)] = std::u16string(data);
    return true;
}

bool MemoryRegistry::DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    ++calls;
    if (refuseEverything || refuseWrites.contains(hive)) return false;
    return values_.erase(Key(hive, key, name)) > 0;
}

// As RegDeleteKey: the subkey goes with its values, but not while it has subkeys of its own.
bool MemoryRegistry::DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) {
    ++calls;
    if (subkey.empty() || refuseEverything || refuseWrites.contains(hive) || !HasKey(hive, key))
        return false;
    const std::u16string path = Lower(key) + u"\\" + Lower(subkey);
    if (!keys_.contains({hive, path})) return false;
    for (const auto& [keyHive, other] : keys_)
        if (keyHive == hive && IsWithin(other, path)) return false;
    RemoveKey(hive, path);
    return true;
}

void MemoryRegistry::PutNonText(Hive hive, std::u16string_view key, std::u16string_view name) {
    CreateKey(hive, key);
    values_[Key(hive, key, name)] = std::nullopt;
}

bool MemoryRegistry::Has(Hive hive, std::u16string_view key, std::u16string_view name) const {
    return values_.contains(Key(hive, key, name));
}

} // namespace korvane::platform
