#pragma once
// The program's text search: positions count bytes from 1, a forward search answers the position
// of the first match or -1, and the search steps over double-byte characters whole (text/gbk.h), so
// that no match starts inside one.
#include <string_view>

namespace korvane::text {

inline constexpr int kNotFound = -1;

// First match of `what` at or after position `from` (1-based), comparing bytes exactly.
int Find(std::string_view text, std::string_view what, int from = 1);
// The same, with ASCII letters compared without regard to case.
int FindIgnoringCase(std::string_view text, std::string_view what, int from = 1);
// Whether `text` begins with `prefix`, ASCII letters compared without regard to case; the second
// byte of a double-byte character is compared exactly. An empty prefix begins every text.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

} // namespace korvane::text
