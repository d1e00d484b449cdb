#pragma once
// Facts about the running process.
#include <string>
#include <string_view>

namespace korvane::platform {

class Process {
  public:
    virtual ~Process() = default;
    // Full path of the executable, for example "C:\Tools\Korvane.exe".
    virtual std::string ExecutablePath() = 0;
    virtual bool ChangeDirectory(std::string_view directory) = 0;
};

} // namespace korvane::platform
