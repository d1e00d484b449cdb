#include "weather/http_get_bytes.h"

#include "text/number.h"

#include <algorithm>
#include <cstdint>

namespace korvane {

namespace {

using platform::Internet;
using platform::InternetHandle;

// Always from the origin server, never into the cache.
constexpr std::uint32_t kRequestFlags = platform::kFlagReload | platform::kFlagDontCache;
constexpr std::uint32_t kSessionTimeoutMilliseconds = 10000;

constexpr std::uint32_t kChunkWhenLengthUnknown = 10240;
constexpr std::uint32_t kLargestChunk = 102400;

std::string_view CutAtFragment(std::string_view text) {
    return text.substr(0, text.find('#'));
}

// Without time-outs a silent server would hold the only thread for as long as WinINet's
// defaults allow.
void SetTimeOuts(Internet& internet, InternetHandle handle) {
    internet.SetNumberOption(handle, platform::kOptionConnectTimeout, kSessionTimeoutMilliseconds);
    internet.SetNumberOption(handle, platform::kOptionSendTimeout, kSessionTimeoutMilliseconds);
    internet.SetNumberOption(handle, platform::kOptionReceiveTimeout, kSessionTimeoutMilliseconds);
}

// Opens the process-wide session unless it is open already.
bool EnsureSession(Internet& internet, InternetHandle& session, std::string_view agent) {
    if (session != 0) return true;
    session = internet.Open(agent, platform::kAccessDirect);
    if (session == 0) return false;
    SetTimeOuts(internet, session);
    return true;
}

// The announced length plus one byte, so that one read usually takes the whole body.
std::uint32_t ChunkSize(Internet& internet, InternetHandle request) {
    std::string lengthText;
    if (!internet.QueryContentLength(request, lengthText)) return kChunkWhenLengthUnknown;
    const std::int64_t length = TruncateToInt(TextToNumber(lengthText));
    if (length <= 0) return kChunkWhenLengthUnknown;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(length + 1, kLargestChunk));
}

bool Passed(const FetchDeadline* deadline) {
    return deadline && platform::TickReached(deadline->clock.TickCount(), deadline->end);
}

// Appends chunks until the body ends, a read fails or the body reaches its largest size; what
// arrived before a failure is kept. A server that trickles its bytes restarts WinINet's receive
// time-out with every byte: only the deadline ends such a read.
void ReadBody(Internet& internet, InternetHandle request, std::string& body,
              const FetchDeadline* deadline) {
    std::string chunk(ChunkSize(internet, request), '\0');
    while (body.size() < kMaxBodyBytes) {
        if (Passed(deadline)) {
            body.clear();
            return;
        }
        const auto wanted = static_cast<std::uint32_t>(
            std::min<std::size_t>(chunk.size(), kMaxBodyBytes - body.size()));
        std::uint32_t read = 0;
        if (!internet.Read(request, chunk.data(), wanted, read) || read == 0) return;
        body.append(chunk.data(), std::min(read, wanted));
    }
}

} // namespace

std::string HttpGetBytes(Internet& internet, InternetHandle& session, const HttpRequest& request,
                         const FetchDeadline* deadline) {
    std::string body;
    if (request.Url.empty()) return body;

    platform::UrlParts parts;
    if (!internet.CrackUrl(CutAtFragment(request.Url), parts)) return body;
    const std::uint32_t flags = kRequestFlags | (parts.Secure ? platform::kFlagSecure : 0);

    if (!EnsureSession(internet, session, request.Agent)) return body;

    const InternetHandle connection =
        internet.Connect(session, parts.Server, parts.Port, parts.UserName, parts.Password);
    if (connection == 0) return body;

    // Windows hands the session's time-outs down to its connections; some WinINet
    // implementations (Wine's) do not, so the connection gets them too.
    SetTimeOuts(internet, connection);

    // The system's proxy settings, asked afresh on every fetch.
    internet.SetProxyOption(session, platform::kAccessPreconfigured);
    internet.SetTextOption(connection, platform::kOptionProxyUserName, "");
    internet.SetTextOption(connection, platform::kOptionProxyPassword, "");

    const InternetHandle handle =
        internet.OpenRequest(connection, "GET", CutAtFragment(parts.ObjectPath), request.Version,
                             request.AcceptType, flags);
    if (handle == 0) {
        internet.Close(connection);
        return body;
    }
    // Some WinINet implementations (Wine's) honour the time-outs only on the request itself.
    SetTimeOuts(internet, handle);

    if (internet.SendRequest(handle, request.Headers) && !Passed(deadline))
        ReadBody(internet, handle, body, deadline);

    internet.Close(handle);
    internet.Close(connection);
    return body;
}

} // namespace korvane
