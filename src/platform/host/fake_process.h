#pragma once
// A process with a settable executable path; records the current-directory changes.
#include "platform/process.h"

#include <string>
#include <vector>

namespace korvane::platform {

class FakeProcess final : public Process {
  public:
    std::u16string ExecutablePath() override { return executablePath; }
    bool ChangeDirectory(std::u16string_view directory) override {
        directories.emplace_back(directory);
        return true;
    }

    std::u16string executablePath = u"C:\\Program Files\\Korvane\\Korvane.exe";
    std::vector<std::u16string> directories;
};

} // namespace korvane::platform
