#pragma once
// Files on a POSIX file system, for host tools and tests that need a real disk.
#include "platform/files.h"

namespace korvane::platform {

class PosixFiles : public Files {
  public:
    bool Exists(std::u16string_view name) override;
    bool ReadAll(std::u16string_view name, std::string& bytes) override;
    // Writes a temporary file of a fresh name in the same directory (so no leftover is in the
    // way), flushes it to disk and renames it over `name`, so a reader sees either the old or the
    // new content, never a part of it. A file that nobody may write is read-only, as Windows
    // programs under Wine see it, and is left alone.
    ReplaceResult ReplaceWhole(std::u16string_view name, std::string_view bytes) override;
};

} // namespace korvane::platform
