#pragma once
// The HTTP client (WinINet), narrowed to what one GET of a body needs.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::platform {

// A WinINet handle as a number; 0 means none.
using InternetHandle = std::uintptr_t;

// Access types of InternetOpenA and of the proxy option.
inline constexpr std::uint32_t kAccessPreconfigured = 0; // the system's own settings
inline constexpr std::uint32_t kAccessDirect = 1;

// Option numbers of InternetSetOptionA.
inline constexpr std::uint32_t kOptionConnectTimeout = 2;
inline constexpr std::uint32_t kOptionSendTimeout = 5;
inline constexpr std::uint32_t kOptionReceiveTimeout = 6;
inline constexpr std::uint32_t kOptionProxy = 38;
inline constexpr std::uint32_t kOptionProxyUserName = 43;
inline constexpr std::uint32_t kOptionProxyPassword = 44;

// Request flags of HttpOpenRequestA.
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagDontCache = 0x04000000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;

// The pieces of a URL as InternetCrackUrlA gives them, nothing re-encoded.
struct UrlParts {
    std::string Scheme;  // "http", "https", ...
    bool Secure = false; // the scheme is https
    std::string Server;
    std::uint16_t Port = 0; // the scheme's default when the URL names none
    std::string ObjectPath; // the path with any query (and fragment, if one was left in)
    std::string UserName;
    std::string Password;
};

class Internet {
  public:
    virtual ~Internet() = default;

    // False when the URL cannot be split.
    virtual bool CrackUrl(std::string_view url, UrlParts& parts) = 0;

    // InternetOpenA(agent, accessType, no proxy, no bypass list, no flags); 0 on failure.
    virtual InternetHandle Open(std::string_view agent, std::uint32_t accessType) = 0;

    // A DWORD option such as a time-out in milliseconds.
    virtual bool SetNumberOption(InternetHandle handle, std::uint32_t option,
                                 std::uint32_t value) = 0;
    // Option 38 with the access type given, no proxy name and no bypass list.
    virtual bool SetProxyOption(InternetHandle handle, std::uint32_t accessType) = 0;
    // A text option such as the proxy user name (43) or password (44).
    virtual bool SetTextOption(InternetHandle handle, std::uint32_t option,
                               std::string_view text) = 0;

    // InternetConnectA with the HTTP service; 0 on failure.
    virtual InternetHandle Connect(InternetHandle session, std::string_view server,
                                   std::uint16_t port, std::string_view userName,
                                   std::string_view password) = 0;

    // HttpOpenRequestA with no referrer and an accept-type list of the one entry given; 0 on
    // failure.
    virtual InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                                       std::string_view objectPath, std::string_view version,
                                       std::string_view acceptType, std::uint32_t flags) = 0;

    // HttpSendRequestA with the additional headers and no body.
    virtual bool SendRequest(InternetHandle request, std::string_view headers) = 0;

    // HttpQueryInfoA(query 5, Content-Length) into a 32-byte buffer: the header's text.
    virtual bool QueryContentLength(InternetHandle request, std::string& text) = 0;

    // InternetReadFile: up to `size` bytes into `buffer`; `read` is 0 at the end of the body.
    virtual bool Read(InternetHandle request, char* buffer, std::uint32_t size,
                      std::uint32_t& read) = 0;

    virtual bool Close(InternetHandle handle) = 0;
};

} // namespace korvane::platform
