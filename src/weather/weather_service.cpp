#include "weather/weather_service.h"

#include "weather/response_decoding.h"

#include <string>

namespace korvane {

// "http://" + the weather service's host + "/data/sk/"; the station code and ".html" follow.
constexpr std::string_view kRequestPrefix = "http://www.weather.com.cn/data/sk/";
constexpr std::string_view kRequestSuffix = ".html";

HttpRequest WeatherRequest(std::string_view stationCode) {
    return {std::string(kRequestPrefix).append(stationCode).append(kRequestSuffix),
            "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "Accept: */* \r\n",
            "Accept: */*\r\n\r\n"};
}

std::optional<Reading> WeatherService::Read(std::string_view stationCode) {
    const std::string body = HttpGetBytes(internet_, session_, WeatherRequest(stationCode));
    return ParseCurrentConditions(DecodeResponse(codePage_, body));
}

} // namespace korvane
