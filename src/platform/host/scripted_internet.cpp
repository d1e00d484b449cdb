#include "platform/host/scripted_internet.h"

#include <algorithm>
#include <cstring>

namespace korvane::platform {

namespace {

bool ParsePort(std::string_view text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5) return false;
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > 0xFFFF) return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

bool SplitUrl(std::string_view url, UrlParts& parts) {
    const auto schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0) return false;
    UrlParts split;
    split.Scheme = std::string(url.substr(0, schemeEnd));
    split.Secure = split.Scheme == "https";
    split.Port = split.Secure ? 443 : 80;

    const std::string_view rest = url.substr(schemeEnd + 3);
    const auto pathStart = rest.find('/');
    std::string_view authority = rest.substr(0, pathStart);
    if (pathStart != std::string_view::npos) split.ObjectPath = std::string(rest.substr(pathStart));

    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view user = authority.substr(0, at);
        const auto colon = user.find(':');
        split.UserName = std::string(user.substr(0, colon));
        if (colon != std::string_view::npos) split.Password = std::string(user.substr(colon + 1));
        authority = authority.substr(at + 1);
    }
    if (const auto colon = authority.find(':'); colon != std::string_view::npos) {
        if (!ParsePort(authority.substr(colon + 1), split.Port)) return false;
        authority = authority.substr(0, colon);
    }
    if (authority.empty()) return false;
    split.Server = std::string(authority);
    parts = std::move(split);
    return true;
}

std::vector<InternetCall> ScriptedInternet::CallsNamed(std::string_view name) const {
    std::vector<InternetCall> named;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(named),
                 [name](const InternetCall& call) { return call.Name == name; });
    return named;
}

std::vector<std::uint64_t> ScriptedInternet::ReadSizes() const {
    std::vector<std::uint64_t> sizes;
    for (const InternetCall& call : CallsNamed("Read"))
        sizes.push_back(call.Numbers.at(0));
    return sizes;
}

InternetCall& ScriptedInternet::Record(std::string_view name, InternetHandle handle) {
    Calls.push_back(InternetCall{std::string(name), handle, {}, {}});
    return Calls.back();
}

InternetHandle ScriptedInternet::NewHandle() {
    const InternetHandle handle = nextHandle_++;
    openHandles_.insert(handle);
    return handle;
}

bool ScriptedInternet::CrackUrl(std::string_view url, UrlParts& parts) {
    Record("CrackUrl", 0).Texts = {std::string(url)};
    if (FailCrackUrl) return false;
    if (CrackedParts) {
        parts = *CrackedParts;
        return true;
    }
    return SplitUrl(url, parts);
}

InternetHandle ScriptedInternet::Open(std::string_view agent, std::uint32_t accessType) {
    InternetCall& call = Record("Open", 0);
    call.Texts = {std::string(agent)};
    call.Numbers = {accessType};
    return FailOpen ? 0 : NewHandle();
}

bool ScriptedInternet::SetNumberOption(InternetHandle handle, std::uint32_t option,
                                       std::uint32_t value) {
    Record("SetNumberOption", handle).Numbers = {option, value};
    return !FailOptions && IsOpen(handle);
}

bool ScriptedInternet::SetProxyOption(InternetHandle handle, std::uint32_t accessType) {
    Record("SetProxyOption", handle).Numbers = {accessType};
    return !FailOptions && IsOpen(handle);
}

bool ScriptedInternet::SetTextOption(InternetHandle handle, std::uint32_t option,
                                     std::string_view text) {
    InternetCall& call = Record("SetTextOption", handle);
    call.Numbers = {option};
    call.Texts = {std::string(text)};
    return !FailOptions && IsOpen(handle);
}

InternetHandle ScriptedInternet::Connect(InternetHandle session, std::string_view server,
                                         std::uint16_t port, std::string_view userName,
                                         std::string_view password) {
    InternetCall& call = Record("Connect", session);
    call.Texts = {std::string(server), std::string(userName), std::string(password)};
    call.Numbers = {port};
    const bool unreachable = UnreachableServers.count(server) != 0;
    return FailConnect || unreachable || !IsOpen(session) ? 0 : NewHandle();
}

InternetHandle ScriptedInternet::OpenRequest(InternetHandle connection, std::string_view verb,
                                             std::string_view objectPath, std::string_view version,
                                             std::string_view acceptType, std::uint32_t flags) {
    InternetCall& call = Record("OpenRequest", connection);
    call.Texts = {std::string(verb), std::string(objectPath), std::string(version),
                  std::string(acceptType)};
    call.Numbers = {flags};
    return FailOpenRequest || !IsOpen(connection) ? 0 : NewHandle();
}

bool ScriptedInternet::SendRequest(InternetHandle request, std::string_view headers) {
    Record("SendRequest", request).Texts = {std::string(headers)};
    return !FailSend && IsOpen(request);
}

bool ScriptedInternet::QueryContentLength(InternetHandle request, std::string& text) {
    Record("QueryContentLength", request);
    if (!ContentLength || !IsOpen(request)) return false;
    text = *ContentLength;
    return true;
}

bool ScriptedInternet::Read(InternetHandle request, char* buffer, std::uint32_t size,
                            std::uint32_t& read) {
    Record("Read", request).Numbers = {size};
    if (BeforeEachRead) BeforeEachRead();
    read = 0;
    if (!IsOpen(request)) return false;
    if (FailReadAfter && delivered_ >= *FailReadAfter) return false;
    while (piece_ < BodyPieces.size() && pieceOffset_ == BodyPieces[piece_].size()) {
        ++piece_;
        pieceOffset_ = 0;
    }
    if (piece_ == BodyPieces.size()) return true; // the end of the body

    std::size_t count = std::min<std::size_t>(size, BodyPieces[piece_].size() - pieceOffset_);
    if (FailReadAfter) count = std::min(count, *FailReadAfter - delivered_);
    if (count > 0) std::memcpy(buffer, BodyPieces[piece_].data() + pieceOffset_, count);
    pieceOffset_ += count;
    delivered_ += count;
    read = static_cast<std::uint32_t>(count);
    return true;
}

bool ScriptedInternet::Close(InternetHandle handle) {
    Record("Close", handle);
    return openHandles_.erase(handle) != 0;
}

} // namespace korvane::platform
