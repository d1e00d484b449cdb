// Arbitrary config.ini bytes through LoadSettings; what was read is written back with
// SaveSettings (numbers as decimal text, as the window shows them) and read again.
//
// Input: the file's bytes.
#include "config/settings.h"
#include "platform/host/memory_files.h"
#include "support/check.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::fuzz {
namespace {

// A CityId that itself holds a key would be searched in place of the real line on reading:
// the file format cannot carry such a value, and the program never writes one.
bool HoldsAKey(std::string_view cityId) {
    constexpr std::array<std::string_view, 4> kKeys{
        "CityId=", "MaxTemperature=", "MinTemperature=", "Opaque="};
    for (std::string_view key : kKeys)
        if (cityId.find(key) != std::string_view::npos) return true;
    return false;
}

} // namespace
} // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;

    platform::MemoryFiles files;
    files.Put(kConfigFileName, std::string(reinterpret_cast<const char*>(data), size));

    Settings first;
    const bool configured = LoadSettings(files, first);
    Require(configured == !first.CityId.empty(), "configured exactly when CityId is set");
    Require(first.CityId.find('\0') == std::string::npos, "the text ends at the first NUL");
    Require(first.CityId.find("\r\n") == std::string::npos ||
                static_cast<unsigned char>(first.CityId[first.CityId.find("\r\n") - 1]) >= 0x80,
            "CityId stops at the first CR LF outside a double-byte character");

    const std::string maxText = std::to_string(first.MaxTemperature);
    const std::string minText = std::to_string(first.MinTemperature);
    const std::string opaqueText = std::to_string(first.Opaque);
    Require(SaveSettings(files, first.CityId, maxText, minText, opaqueText) ==
                platform::ReplaceResult::Replaced,
            "the write succeeds");
    Require(files.Content(kConfigFileName) ==
                SettingsFileText(first.CityId, maxText, minText, opaqueText),
            "the file holds exactly the four lines");

    Settings second;
    second.MaxTemperature = 0x5EED; // every field must be replaced by the second read
    const bool configuredAgain = LoadSettings(files, second);
    Require(configuredAgain == configured, "the saved file is configured as the first");
    Require(second.CityId == first.CityId || HoldsAKey(first.CityId), "CityId round-trips");
    if (HoldsAKey(first.CityId)) return 0;
    Require(second.MaxTemperature == first.MaxTemperature, "MaxTemperature round-trips");
    Require(second.MinTemperature == first.MinTemperature, "MinTemperature round-trips");
    Require(second.Opaque == first.Opaque, "Opaque round-trips");
    return 0;
}
