#pragma once
// Text values of the registry, enough for the autostart entry under the Run key.
#include <optional>
#include <string>
#include <string_view>

namespace korvane::platform {

enum class Hive { LocalMachine, CurrentUser };

class Registry {
  public:
    virtual ~Registry() = default;
    // A REG_SZ value, or a REG_EXPAND_SZ value expanded; nothing for other types or when absent.
    virtual std::optional<std::string> ReadText(Hive hive, std::string_view key,
                                                std::string_view name) = 0;
    virtual bool WriteText(Hive hive, std::string_view key, std::string_view name,
                           std::string_view data) = 0;
    virtual bool DeleteValue(Hive hive, std::string_view key, std::string_view name) = 0;
    virtual bool DeleteKey(Hive hive, std::string_view key, std::string_view subkey) = 0;
};

} // namespace korvane::platform
