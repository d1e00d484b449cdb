#pragma once
// An in-memory registry of keys and text values, with hives that can refuse writes or every call.
// As in the registry, values live in keys that must exist (both hives have the Run key, as a
// Windows installation does), and a key is deleted only without subkeys.
#include "platform/registry.h"

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace korvane::platform {

class MemoryRegistry final : public Registry {
  public:
    MemoryRegistry();

    std::optional<std::u16string> ReadText(Hive hive, std::u16string_view key,
                                           std::u16string_view name) override;
    bool WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                   std::u16string_view data) override;
    bool DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) override;
    bool DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) override;

    // Stores a value of another type than text (it reads as absent).
    void PutNonText(Hive hive, std::u16string_view key, std::u16string_view name);
    bool Has(Hive hive, std::u16string_view key, std::u16string_view name) const;
    // Creates the key and its parents; removes a key with its subkeys and values.
    void CreateKey(Hive hive, std::u16string_view key);
    void RemoveKey(Hive hive, std::u16string_view key);
    bool HasKey(Hive hive, std::u16string_view key) const;

    std::set<Hive> refuseWrites; // writes and deletes fail, as for a standard user under HKLM
    bool refuseEverything = false;
    int calls = 0;

  private:
    // Key names compare without regard to ASCII case, as the registry does.
    using Name = std::tuple<Hive, std::u16string, std::u16string>;
    static Name Key(Hive hive, std::u16string_view key, std::u16string_view name);
    std::map<Name, std::optional<std::u16string>> values_; // nullopt: a value that is not text
    std::set<std::pair<Hive, std::u16string>> keys_;       // lower case
};

} // namespace korvane::platform
