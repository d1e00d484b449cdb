#pragma once
// An HTTP client double for the program-level tests: every request gets the next scripted reply
// (or, with none left, a failure to connect), and every request path is recorded.
#include "platform/host/scripted_internet.h"
#include "platform/internet.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace korvane::testing {

class ReplyInternet final : public platform::Internet {
  public:
    void Reply(std::string body) { replies_.push_back(std::move(body)); }
    const std::vector<std::string>& paths() const { return paths_; }
    int sessionsOpened = 0;
    int closedSessions = 0;

    bool CrackUrl(std::string_view url, platform::UrlParts& parts) override {
        return platform::SplitUrl(url, parts);
    }
    platform::InternetHandle Open(std::string_view, std::uint32_t) override {
        ++sessionsOpened;
        return kSession;
    }
    bool SetNumberOption(platform::InternetHandle, std::uint32_t, std::uint32_t) override {
        return true;
    }
    bool SetProxyOption(platform::InternetHandle, std::uint32_t) override { return true; }
    bool SetTextOption(platform::InternetHandle, std::uint32_t, std::string_view) override {
        return true;
    }
    platform::InternetHandle Connect(platform::InternetHandle, std::string_view, std::uint16_t,
                                     std::string_view, std::string_view) override {
        if (replies_.empty()) return 0;
        return kConnection;
    }
    platform::InternetHandle OpenRequest(platform::InternetHandle, std::string_view,
                                         std::string_view path, std::string_view, std::string_view,
                                         std::uint32_t) override {
        paths_.emplace_back(path);
        body_ = std::move(replies_.front());
        replies_.pop_front();
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
        if (handle == kSession) ++closedSessions;
        return true;
    }

  private:
    static constexpr platform::InternetHandle kSession = 1, kConnection = 2, kRequest = 3;
    std::deque<std::string> replies_;
    std::vector<std::string> paths_;
    std::string body_;
    std::size_t offset_ = 0;
};

} // namespace korvane::testing
