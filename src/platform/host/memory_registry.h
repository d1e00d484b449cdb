#pragma once
// An in-memory registry of text values, with hives that can refuse writes or every call.
#include "platform/registry.h"

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace korvane::platform {

class MemoryRegistry final : public Registry {
  public:
    std::optional<std::u16string> ReadText(Hive hive, std::u16string_view key,
                                           std::u16string_view name) override;
    bool WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                   std::u16string_view data) override;
    bool DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) override;
    bool DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) override;

    // Stores a value of another type than text (it reads as absent).
    void PutNonText(Hive hive, std::u16string_view key, std::u16string_view name);
    bool Has(Hive hive, std::u16string_view key, std::u16string_view name) const;

    std::set<Hive> refuseWrites; // writes and deletes fail, as for a standard user under HKLM
    bool refuseEverything = false;
    int calls = 0;

  private:
    // Key names compare without regard to ASCII case, as the registry does.
    using Name = std::tuple<Hive, std::u16string, std::u16string>;
    static Name Key(Hive hive, std::u16string_view key, std::u16string_view name);
    std::map<Name, std::optional<std::u16string>> values_; // nullopt: a value that is not text
};

} // namespace korvane::platform
