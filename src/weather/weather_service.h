#pragma once
// Where readings come from: the weather service's two documents of a station's current
// conditions. The station document ("/data/sk/") is the one the program was built on; by every
// public trace it stopped changing years ago. The live document ("/sk_2d/" on the service's data
// host) carries today's readings in the same keys, but only for a request that names the
// service's site as its referrer. Each request is built here and nowhere else.
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/internet.h"
#include "weather/current_conditions.h"
#include "weather/http_get_bytes.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvane {

// Every fetch, name lookup to last read, ends within this time or counts as no reading.
inline constexpr std::uint32_t kFetchDeadlineMilliseconds = 15000;

// A second source (another service, readings from a file for a demo) implements Read and takes a
// document's place in Program.
class ReadingSource {
  public:
    virtual ~ReadingSource() = default;
    // Nothing when no reading could be had: no network, a failing server, no weather document, a
    // placeholder instead of a temperature. Runs off the window thread.
    virtual std::optional<Reading> Read(std::string_view stationCode) = 0;
};

// The request for the station document, whose code is used unchanged, even when empty.
HttpRequest WeatherRequest(std::string_view stationCode);
// The request for the live document; the time makes every address new, as a browser's is.
HttpRequest LiveRequest(std::string_view stationCode, std::uint64_t millisecondsSince1970);

// One of the service's documents through its own session, decoded and read.
class WeatherDocument final : public ReadingSource {
  public:
    enum class Kind : std::uint8_t { Station, Live };

    WeatherDocument(Kind kind, platform::Internet& internet, platform::InternetHandle& session,
                    platform::CodePage& codePage, platform::Clock& clock)
        : kind_(kind), internet_(internet), session_(session), codePage_(codePage), clock_(clock) {}

    std::optional<Reading> Read(std::string_view stationCode) override;

  private:
    Kind kind_;
    platform::Internet& internet_;
    platform::InternetHandle& session_;
    platform::CodePage& codePage_;
    platform::Clock& clock_;
};

} // namespace korvane
