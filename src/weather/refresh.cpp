#include "weather/refresh.h"

#include "weather/http_get_bytes.h"
#include "weather/response_decoding.h"

namespace korvane {

std::string WeatherRequestUrl(std::string_view stationCode) {
    std::string url;
    url.reserve(kWeatherRequestPrefix.size() + stationCode.size() + kWeatherRequestSuffix.size());
    url += kWeatherRequestPrefix;
    url += stationCode;
    url += kWeatherRequestSuffix;
    return url;
}

void RefreshWeather(RefreshContext& context) {
    const std::string body =
        HttpGetBytes(context.internet, context.session,
                     WeatherRequestUrl(context.weather.colour.settings.CityId));
    ParseCurrentConditions(context.weather, DecodeResponse(context.codePage, body));
}

} // namespace korvane
