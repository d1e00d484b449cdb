#pragma once
// The program's text rules: positions count bytes from 1, a forward search answers the position of
// the first match or -1, and a byte of 0x80 or more steps over the byte after it as one
// double-byte character, so that no match starts inside one.
#include <string_view>

namespace korvane::text {

inline constexpr int kNotFound = -1;

// First match of `what` at or after position `from` (1-based), comparing bytes exactly.
int Find(std::string_view text, std::string_view what, int from = 1);
// The same, with ASCII letters compared without regard to case.
int FindIgnoringCase(std::string_view text, std::string_view what, int from = 1);

} // namespace korvane::text
