#pragma once
// Whole-file access by name; names are UTF-16 paths, relative to the current directory unless
// absolute. The contents are bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::platform {

// How a whole-file replacement ended.
enum class ReplaceResult : std::uint8_t {
    Replaced,
    ReadOnly, // the file is marked read-only: its owner protected it, it is left as it is
    Failed,   // anything else: the folder refuses new files, the disk is full, the file is in use
};

class Files {
  public:
    virtual ~Files() = default;
    virtual bool Exists(std::u16string_view name) = 0;
    // Reads every byte of the file; false when it cannot be opened or read.
    virtual bool ReadAll(std::u16string_view name, std::string& bytes) = 0;
    // Writes the bytes to a temporary file beside `name` and moves it over `name` in one step,
    // keeping what was set on the old file (attributes, access rules): on any failure the old
    // file stays whole. A temporary file left over by an earlier attempt never stands in the way.
    virtual ReplaceResult ReplaceWhole(std::u16string_view name, std::string_view bytes) = 0;
};

} // namespace korvane::platform
