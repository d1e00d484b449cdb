#pragma once
// Text values of the registry, enough for the autostart entry under the Run key. Key names, value
// names and data are UTF-16, as the registry stores them: the data is a path.
#include <optional>
#include <string>
#include <string_view>

namespace korvane::platform {

enum class Hive { LocalMachine, CurrentUser };

class Registry {
  public:
    virtual ~Registry() = default;
    // A REG_SZ value, or a REG_EXPAND_SZ value expanded; nothing for other types or when absent.
    virtual std::optional<std::u16string> ReadText(Hive hive, std::u16string_view key,
                                                   std::u16string_view name) = 0;
    virtual bool WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                           std::u16string_view data) = 0;
    virtual bool DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) = 0;
    virtual bool DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) = 0;
};

} // namespace korvane::platform
