#pragma once
// An HTTP client double for the program-level tests: every request gets the next scripted reply
// of its server (or, with none left, a failure to connect), and every request path is recorded.
// The live document's host answers from a queue of its own.
#include "platform/host/scripted_internet.h"
#include "platform/internet.h"

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace korvane::testing {

class ReplyInternet final : public platform::Internet {
  public:
    void Reply(std::string body) { replies_.push_back(std::move(body)); }
    void ReplyLive(std::string body) { liveReplies_.push_back(std::move(body)); }
    const std::vector<std::string>& paths() const { return paths_; }
    int sessionsOpened = 0;
    int closedSessions = 0;
    std::set<std::string, std::less<>> UnreachableServers; // served only with live replies queued

    bool CrackUrl(std::string_view url, platform::UrlParts& parts) override {
        return platform::SplitUrl(url, parts);
    }
    platform::InternetHandle Open(std::string_view, std::uint32_t) override {
        return kSession + static_cast<platform::InternetHandle>(sessionsOpened++);
    }
    bool SetNumberOption(platform::InternetHandle, std::uint32_t, std::uint32_t) override {
        return true;
    }
    bool SetProxyOption(platform::InternetHandle, std::uint32_t) override { return true; }
    bool SetTextOption(platform::InternetHandle, std::uint32_t, std::string_view) override {
        return true;
    }
    platform::InternetHandle Connect(platform::InternetHandle, std::string_view server,
                                     std::uint16_t, std::string_view, std::string_view) override {
        const bool live = UnreachableServers.count(server) != 0;
        if ((live ? liveReplies_ : replies_).empty()) return 0;
        return live ? kLiveConnection : kConnection;
    }
    platform::InternetHandle OpenRequest(platform::InternetHandle connection, std::string_view,
                                         std::string_view path, std::string_view, std::string_view,
                                         std::uint32_t) override {
        std::deque<std::string>& queue = connection == kLiveConnection ? liveReplies_ : replies_;
        paths_.emplace_back(path);
        body_ = std::move(queue.front());
        queue.pop_front();
        offset_ = 0;
        return kRequest;
    }
    bool SendRequest(platform::InternetHandle, std::string_view) override { return true; }
    bool QueryContentLength(platform::InternetHandle, std::string& text) override {
        text = std::to_string(body_.size());
        return true;
    }
    bool Read(platform::InternetHandle, char* buffer, std::uint32_t size,
              std::uint32_t& read) override {
        const std::size_t count = std::min<std::size_t>(size, body_.size() - offset_);
        body_.copy(buffer, count, offset_);
        offset_ += count;
        read = static_cast<std::uint32_t>(count);
        return true;
    }
    bool Close(platform::InternetHandle handle) override {
        if (handle >= kSession && handle < kSession + 16) ++closedSessions;
        return true;
    }

  private:
    static constexpr platform::InternetHandle kConnection = 2, kLiveConnection = 3, kRequest = 4,
                                              kSession = 0x100;
    std::deque<std::string> replies_, liveReplies_;
    std::vector<std::string> paths_;
    std::string body_;
    std::size_t offset_ = 0;
};

} // namespace korvane::testing
