#pragma once
// An in-memory file system for tests, with the faults a real disk can show: a file that cannot be
// read, a file marked read-only, writes that fail (the old content stays whole), and a file that
// changes between calls. A replacement goes through `name` + ".tmp", as the program's Win32 file
// access does.
#include "platform/files.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace korvane::platform {

class MemoryFiles : public Files {
  public:
    // Larger files are refused by a read, as by the program's Win32 file access.
    static constexpr std::size_t kLargestReadableFile = 64u * 1024 * 1024;

    using Hook = std::function<void(MemoryFiles&)>;

    struct CallCounts {
        int exists = 0;
        int reads = 0;
        int writes = 0;
    };

    bool Exists(std::u16string_view name) override;
    bool ReadAll(std::u16string_view name, std::string& bytes) override;
    ReplaceResult ReplaceWhole(std::u16string_view name, std::string_view bytes) override;

    // Direct access for arranging and checking a test; none of these counts as a call.
    void Put(std::u16string_view name, std::string bytes);
    void Remove(std::u16string_view name);
    std::optional<std::string> Content(std::u16string_view name) const;

    // The file still exists, but opening it for reading fails.
    void MakeUnreadable(std::u16string_view name, bool unreadable = true);
    // Marked read-only: it reads, a replacement of it is refused; a read-only temporary file left
    // over by an earlier attempt is overwritten all the same.
    void MakeReadOnly(std::u16string_view name) { readOnly_.insert(std::u16string(name)); }
    // A folder of that name (in place of any file): it exists, it cannot be read or replaced.
    void MakeFolder(std::u16string_view name);
    // Every ReplaceWhole fails and leaves the files as they were.
    void FailWrites(bool fail = true) { failWrites_ = fail; }
    // Runs once, right after the next ReplaceWhole (whether it succeeded or not).
    void AfterNextWrite(Hook hook) { afterNextWrite_ = std::move(hook); }
    // Runs once, right before the next ReadAll (after Exists has already answered).
    void BeforeNextRead(Hook hook) { beforeNextRead_ = std::move(hook); }

    const CallCounts& Calls() const { return calls_; }

  private:
    std::map<std::u16string, std::string, std::less<>> files_;
    std::set<std::u16string, std::less<>> unreadable_;
    std::set<std::u16string, std::less<>> folders_;
    std::set<std::u16string, std::less<>> readOnly_;
    bool failWrites_ = false;
    Hook afterNextWrite_;
    Hook beforeNextRead_;
    CallCounts calls_;
};

} // namespace korvane::platform
