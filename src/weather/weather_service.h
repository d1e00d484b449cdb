#pragma once
// Where readings come from. The one source is the weather service: an HTTP GET of the station's
// current-conditions document, decoded and read; its request is built here and nowhere else.
#include "platform/code_page.h"
#include "platform/internet.h"
#include "weather/current_conditions.h"
#include "weather/http_get_bytes.h"

#include <optional>
#include <string_view>

namespace korvane {

// A second source (another service, readings from a file for a demo) implements Read and takes
// the weather service's place in Program::Readings.
class ReadingSource {
  public:
    virtual ~ReadingSource() = default;
    // Nothing when no reading could be had: no network, a failing server, no weather document.
    virtual std::optional<Reading> Read(std::string_view stationCode) = 0;
};

// The request for the document of a station, whose code is used unchanged, even when empty.
HttpRequest WeatherRequest(std::string_view stationCode);

class WeatherService final : public ReadingSource {
  public:
    WeatherService(platform::Internet& internet, platform::InternetHandle& session,
                   platform::CodePage& codePage)
        : internet_(internet), session_(session), codePage_(codePage) {}

    std::optional<Reading> Read(std::string_view stationCode) override;

  private:
    platform::Internet& internet_;
    platform::InternetHandle& session_;
    platform::CodePage& codePage_;
};

} // namespace korvane
