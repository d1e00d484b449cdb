#pragma once
// Facts about the running process. Paths are UTF-16, as Windows keeps them: a folder name may hold
// characters that no code page of the program's texts can.
#include <string>
#include <string_view>

namespace korvane::platform {

class Process {
  public:
    virtual ~Process() = default;
    // Full path of the executable, for example "C:\Tools\Korvane.exe".
    virtual std::u16string ExecutablePath() = 0;
    virtual bool ChangeDirectory(std::u16string_view directory) = 0;
};

} // namespace korvane::platform
