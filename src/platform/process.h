#pragma once
// Facts about the running process.
#include <string>
#include <string_view>

// <windows.h> maps SetCurrentDirectory to SetCurrentDirectoryA; the member below keeps its name.
#ifdef SetCurrentDirectory
#undef SetCurrentDirectory
#endif

namespace korvane::platform {

class Process {
  public:
    virtual ~Process() = default;
    // Full path of the executable, for example "C:\Tools\Korvane.exe".
    virtual std::string ExecutablePath() = 0;
    virtual bool ChangeDirectory(std::string_view directory) = 0;
};

} // namespace korvane::platform
