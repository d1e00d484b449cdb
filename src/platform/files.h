#pragma once
// Whole-file access by name; names are UTF-16 paths, relative to the current directory unless
// absolute. The contents are bytes.
#include <string>
#include <string_view>

namespace korvane::platform {

class Files {
  public:
    virtual ~Files() = default;
    virtual bool Exists(std::u16string_view name) = 0;
    // Reads every byte of the file; false when it cannot be opened or read.
    virtual bool ReadAll(std::u16string_view name, std::string& bytes) = 0;
    // Writes the bytes to a temporary file beside `name` and moves it over `name` in one step:
    // on any failure the old file stays whole and the answer is false.
    virtual bool ReplaceWhole(std::u16string_view name, std::string_view bytes) = 0;
};

} // namespace korvane::platform
