#include "weather/weather_service.h"

#include "weather/response_decoding.h"

#include <string>

namespace korvane {
namespace {

// "http://" + the weather service's host + "/data/sk/"; the station code and ".html" follow.
constexpr std::string_view kRequestPrefix = "http://www.weather.com.cn/data/sk/";
constexpr std::string_view kRequestSuffix = ".html";

// The live document answers a browser that comes from the service's own site, nothing else. Wine's
// WinINet sends neither Host nor User-Agent on an HTTP/1.1 request without added headers, so the
// agent goes along as a header too (Host is added then).
#define KORVANE_BROWSER_AGENT                                                                      \
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "                  \
    "Chrome/109.0.0.0 Safari/537.36"
constexpr std::string_view kLivePrefix = "http://d1.weather.com.cn/sk_2d/";
constexpr std::string_view kLiveAgent = KORVANE_BROWSER_AGENT;
constexpr std::string_view kLiveHeaders = "Accept: */*\r\nReferer: http://www.weather.com.cn/\r\n"
                                          "User-Agent: " KORVANE_BROWSER_AGENT "\r\n\r\n";
// The live document's "no data".
constexpr int kLiveNoData = 999;

} // namespace

HttpRequest WeatherRequest(std::string_view stationCode) {
    return {std::string(kRequestPrefix).append(stationCode).append(kRequestSuffix),
            "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "Accept: */* \r\n",
            "Accept: */*\r\n\r\n"};
}

HttpRequest LiveRequest(std::string_view stationCode, std::uint64_t millisecondsSince1970) {
    std::string url(kLivePrefix);
    url.append(stationCode).append(kRequestSuffix).append("?_=");
    url.append(std::to_string(millisecondsSince1970));
    return {std::move(url), kLiveAgent, "*/*", kLiveHeaders, "HTTP/1.1"};
}

std::optional<Reading> WeatherDocument::Read(std::string_view stationCode) {
    const bool live = kind_ == Kind::Live;
    const HttpRequest request = live ? LiveRequest(stationCode, clock_.MillisecondsSince1970())
                                     : WeatherRequest(stationCode);
    const FetchDeadline deadline{clock_, clock_.TickCount() + kFetchDeadlineMilliseconds};
    const std::string body = HttpGetBytes(internet_, session_, request, &deadline);
    std::optional<Reading> reading = ParseCurrentConditions(DecodeResponse(codePage_, body));
    if (live && reading && reading->Temperature == kLiveNoData) return std::nullopt;
    return reading;
}

} // namespace korvane
