#pragma once
// One HTTP GET of a URL, returning every body byte that was read (nothing on failure).
#include "platform/internet.h"

#include <string>
#include <string_view>

namespace korvane {

// "http://" + the weather service's host + "/data/sk/"; the station code and ".html" follow.
inline constexpr std::string_view kWeatherRequestPrefix = "http://www.weather.com.cn/data/sk/";
inline constexpr std::string_view kWeatherRequestSuffix = ".html";
inline constexpr std::string_view kHttpAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
inline constexpr std::size_t kMaxBodyBytes = 1024 * 1024; // a hostile server cannot exhaust memory

// `session` is the process-wide session handle: opened lazily on the first fetch, kept open.
std::string HttpGetBytes(platform::Internet& internet, platform::InternetHandle& session,
                         std::string_view url);

} // namespace korvane
