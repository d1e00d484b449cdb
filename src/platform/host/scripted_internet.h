#pragma once
// A scripted HTTP client for the host tests: answers from a script, records every call.
#include "platform/internet.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::platform {

// One call as it was made: the operation's name, the handle it acted on (0 for none) and its
// other arguments in the order the interface declares them.
struct InternetCall {
    std::string Name;
    InternetHandle Handle = 0;
    std::vector<std::string> Texts;
    std::vector<std::uint64_t> Numbers;
};

class ScriptedInternet : public Internet {
  public:
    // --- The script. ---
    bool FailCrackUrl = false;
    std::optional<UrlParts> CrackedParts; // answered instead of splitting the URL itself
    bool FailOpen = false;
    bool FailOptions = false; // every option set is refused
    bool FailConnect = false;
    std::set<std::string, std::less<>> UnreachableServers; // connecting to these fails
    bool FailOpenRequest = false;
    bool FailSend = false;
    std::optional<std::string> ContentLength; // none: the query fails
    // The body as the server sends it: one read never crosses from one piece into the next.
    std::vector<std::string> BodyPieces;
    // Once this many body bytes have been delivered, the next read fails.
    std::optional<std::size_t> FailReadAfter;
    // Runs before every read, for instance to move a virtual clock on as a slow server would.
    std::function<void()> BeforeEachRead;

    // --- What happened. ---
    std::vector<InternetCall> Calls;
    std::vector<InternetCall> CallsNamed(std::string_view name) const;
    std::vector<std::uint64_t> ReadSizes() const; // the sizes every read asked for
    const std::set<InternetHandle>& OpenHandles() const { return openHandles_; }
    std::size_t DeliveredBytes() const { return delivered_; }

    // --- Internet. ---
    bool CrackUrl(std::string_view url, UrlParts& parts) override;
    InternetHandle Open(std::string_view agent, std::uint32_t accessType) override;
    bool SetNumberOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) override;
    bool SetProxyOption(InternetHandle handle, std::uint32_t accessType) override;
    bool SetTextOption(InternetHandle handle, std::uint32_t option, std::string_view text) override;
    InternetHandle Connect(InternetHandle session, std::string_view server, std::uint16_t port,
                           std::string_view userName, std::string_view password) override;
    InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                               std::string_view objectPath, std::string_view version,
                               std::string_view acceptType, std::uint32_t flags) override;
    bool SendRequest(InternetHandle request, std::string_view headers) override;
    bool QueryContentLength(InternetHandle request, std::string& text) override;
    bool Read(InternetHandle request, char* buffer, std::uint32_t size,
              std::uint32_t& read) override;
    bool Close(InternetHandle handle) override;

  private:
    InternetCall& Record(std::string_view name, InternetHandle handle);
    InternetHandle NewHandle();
    bool IsOpen(InternetHandle handle) const { return openHandles_.count(handle) != 0; }

    std::set<InternetHandle> openHandles_;
    InternetHandle nextHandle_ = 0x100;
    std::size_t piece_ = 0;       // the body piece the next read takes from
    std::size_t pieceOffset_ = 0; // bytes of that piece already delivered
    std::size_t delivered_ = 0;
};

// Splits "scheme://[user[:password]@]server[:port][/path...]" the way the system splitter
// answers for the addresses the tests use; false for anything else.
bool SplitUrl(std::string_view url, UrlParts& parts);

} // namespace korvane::platform
