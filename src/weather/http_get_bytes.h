#pragma once
// One HTTP GET of a URL, returning every body byte that was read (nothing on failure).
#include "platform/clock.h"
#include "platform/internet.h"

#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::size_t kMaxBodyBytes = 1024 * 1024; // a hostile server cannot exhaust memory

struct HttpRequest {
    std::string Url;
    std::string_view Agent{};      // the user agent of the session, opened by the first fetch
    std::string_view AcceptType{}; // the one entry of the accept-type list
    std::string_view Headers{};    // the additional headers sent with the request
    std::string_view Version = "HTTP/1.0";
};

// The whole fetch, name lookup to last read, ends by this tick count: a fetch past it gives
// nothing, whatever has arrived.
struct FetchDeadline {
    platform::Clock& clock;
    std::uint32_t end;
};

// `session` is the process-wide session handle: opened lazily on the first fetch, kept open until
// the program ends.
std::string HttpGetBytes(platform::Internet& internet, platform::InternetHandle& session,
                         const HttpRequest& request, const FetchDeadline* deadline = nullptr);

} // namespace korvane
