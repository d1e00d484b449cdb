// The one place that keeps WinINet's ...A functions, written out: the URL, the agent, the
// headers and the Content-Length are ASCII on the wire, whatever the system's code page.
#include "platform/win32/runtime_functions.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>

namespace korvane::platform {

namespace {

// The session last opened and not yet closed: the program keeps one for its whole run. The
// fatal error of a missing library function ends the process past the program's own end, which
// closes it otherwise.
HINTERNET openSession = nullptr;

void CloseOpenSession() {
    if (openSession == nullptr) return;
    InternetCloseHandle(openSession);
    openSession = nullptr;
}

HINTERNET AsHandle(InternetHandle handle) {
    return reinterpret_cast<HINTERNET>(handle);
}
InternetHandle AsNumber(HINTERNET handle) {
    return reinterpret_cast<InternetHandle>(handle);
}

// nullptr for an empty text, which WinINet reads as "none".
const char* OrNone(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// A buffer for one component of a URL: the URL's length is enough for any of them.
struct ComponentBuffer {
    explicit ComponentBuffer(std::size_t length) : Text(length + 1, '\0') {}
    std::string Take(DWORD length) const {
        return Text.substr(0, std::min<std::size_t>(length, Text.size()));
    }
    std::string Text;
};

} // namespace

bool Win32Internet::CrackUrl(std::string_view url, UrlParts& parts) {
    const std::string address(url);
    if (address.empty() || address.size() > 0xFFFF) return false;
    ComponentBuffer scheme(address.size()), server(address.size()), user(address.size()),
        password(address.size()), path(address.size()), extra(address.size());

    URL_COMPONENTSA components{};
    components.dwStructSize = sizeof components;
    const auto attach = [](ComponentBuffer& buffer, LPSTR& text, DWORD& length) {
        text = buffer.Text.data();
        length = static_cast<DWORD>(buffer.Text.size());
    };
    attach(scheme, components.lpszScheme, components.dwSchemeLength);
    attach(server, components.lpszHostName, components.dwHostNameLength);
    attach(user, components.lpszUserName, components.dwUserNameLength);
    attach(password, components.lpszPassword, components.dwPasswordLength);
    attach(path, components.lpszUrlPath, components.dwUrlPathLength);
    attach(extra, components.lpszExtraInfo, components.dwExtraInfoLength);

    // Flags 0: the components come back as written, neither escaped nor decoded.
    if (!InternetCrackUrlA(address.c_str(), static_cast<DWORD>(address.size()), 0, &components))
        return false;

    UrlParts split;
    split.Scheme = scheme.Take(components.dwSchemeLength);
    split.Secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    split.Server = server.Take(components.dwHostNameLength);
    split.Port = components.nPort;
    split.UserName = user.Take(components.dwUserNameLength);
    split.Password = password.Take(components.dwPasswordLength);
    // The query (and any fragment) comes as the extra information after the path.
    split.ObjectPath =
        path.Take(components.dwUrlPathLength) + extra.Take(components.dwExtraInfoLength);
    parts = std::move(split);
    return true;
}

InternetHandle Win32Internet::Open(std::string_view agent, std::uint32_t accessType) {
    const HINTERNET session =
        InternetOpenA(std::string(agent).c_str(), accessType, nullptr, nullptr, 0);
    if (session != nullptr) {
        openSession = session;
        SetBeforeFatalExit(&CloseOpenSession);
    }
    return AsNumber(session);
}

bool Win32Internet::SetNumberOption(InternetHandle handle, std::uint32_t option,
                                    std::uint32_t value) {
    DWORD number = value;
    return InternetSetOptionA(AsHandle(handle), option, &number, sizeof number) != FALSE;
}

bool Win32Internet::SetProxyOption(InternetHandle handle, std::uint32_t accessType) {
    INTERNET_PROXY_INFO proxy{};
    proxy.dwAccessType = accessType;
    proxy.lpszProxy = nullptr;
    proxy.lpszProxyBypass = nullptr;
    return InternetSetOptionA(AsHandle(handle), INTERNET_OPTION_PROXY, &proxy, sizeof proxy) !=
           FALSE;
}

bool Win32Internet::SetTextOption(InternetHandle handle, std::uint32_t option,
                                  std::string_view text) {
    std::string value(text);
    // The length counts the terminating zero, so that an empty text is still a valid buffer.
    return InternetSetOptionA(AsHandle(handle), option, value.data(),
                              static_cast<DWORD>(value.size() + 1)) != FALSE;
}

InternetHandle Win32Internet::Connect(InternetHandle session, std::string_view server,
                                      std::uint16_t port, std::string_view userName,
                                      std::string_view password) {
    const std::string host(server), user(userName), secret(password);
    return AsNumber(InternetConnectA(AsHandle(session), host.c_str(), port, OrNone(user),
                                     OrNone(secret), INTERNET_SERVICE_HTTP, 0, 0));
}

InternetHandle Win32Internet::OpenRequest(InternetHandle connection, std::string_view verb,
                                          std::string_view objectPath, std::string_view version,
                                          std::string_view acceptType, std::uint32_t flags) {
    const std::string method(verb), path(objectPath), protocol(version), accept(acceptType);
    LPCSTR acceptTypes[] = {accept.c_str(), nullptr};
    return AsNumber(HttpOpenRequestA(AsHandle(connection), method.c_str(), path.c_str(),
                                     protocol.c_str(), nullptr, acceptTypes, flags, 0));
}

bool Win32Internet::SendRequest(InternetHandle request, std::string_view headers) {
    const std::string added(headers);
    return HttpSendRequestA(AsHandle(request), added.c_str(), static_cast<DWORD>(added.size()),
                            nullptr, 0) != FALSE;
}

bool Win32Internet::QueryContentLength(InternetHandle request, std::string& text) {
    char buffer[32] = {};
    DWORD size = sizeof buffer;
    if (!HttpQueryInfoA(AsHandle(request), HTTP_QUERY_CONTENT_LENGTH, buffer, &size, nullptr))
        return false;
    text.assign(buffer, strnlen(buffer, std::min<std::size_t>(size, sizeof buffer)));
    return true;
}

bool Win32Internet::Read(InternetHandle request, char* buffer, std::uint32_t size,
                         std::uint32_t& read) {
    DWORD received = 0;
    const bool succeeded = InternetReadFile(AsHandle(request), buffer, size, &received) != FALSE;
    read = succeeded ? static_cast<std::uint32_t>(std::min<DWORD>(received, size)) : 0;
    return succeeded;
}

bool Win32Internet::Close(InternetHandle handle) {
    if (AsHandle(handle) == openSession) openSession = nullptr;
    return InternetCloseHandle(AsHandle(handle)) != FALSE;
}

} // namespace korvane::platform
