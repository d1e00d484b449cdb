#pragma once
// A process with a settable executable path; records the current-directory changes.
#include "platform/process.h"

#include <string>
#include <vector>

namespace korvane::platform {

class FakeProcess final : public Process {
  public:
    std::string ExecutablePath() override { return executablePath; }
    bool ChangeDirectory(std::string_view directory) override {
        directories.emplace_back(directory);
        return true;
    }

    std::string executablePath = "C:\\Program Files\\Korvane\\Korvane.exe";
    std::vector<std::string> directories;
};

} // namespace korvane::platform
