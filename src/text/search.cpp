#include "text/search.h"

#include "text/gbk.h"

#include <climits>
#include <cstddef>

namespace korvane::text {
namespace {

char AsciiLower(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Compares `what` with the text at `start`, which is a character boundary. Only bytes that begin
// a character are folded: the second byte of a double-byte character may look like an ASCII letter
// but is not one.
bool MatchesAt(std::string_view text, std::size_t start, std::string_view what, bool ignoreCase) {
    bool trailByte = false;
    for (std::size_t k = 0; k < what.size(); ++k) {
        const char have = text[start + k];
        const char want = what[k];
        const bool equal =
            (ignoreCase && !trailByte) ? AsciiLower(have) == AsciiLower(want) : have == want;
        if (!equal) return false;
        trailByte = !trailByte && IsLeadByte(have);
    }
    return true;
}

int Search(std::string_view text, std::string_view what, int from, bool ignoreCase) {
    if (what.empty() || what.size() > text.size()) return kNotFound;
    const std::size_t first = from < 1 ? 0 : static_cast<std::size_t>(from) - 1;
    const std::size_t lastStart = text.size() - what.size();
    const auto fold = [ignoreCase](char byte) { return ignoreCase ? AsciiLower(byte) : byte; };
    const char head = fold(what[0]);
    // Walk from the beginning so that the character boundaries are known, whatever `from` is.
    for (std::size_t i = 0; i <= lastStart;) {
        if (i >= first && fold(text[i]) == head && MatchesAt(text, i, what, ignoreCase)) {
            return i < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(i) + 1 : kNotFound;
        }
        i += CharacterWidth(text, i);
    }
    return kNotFound;
}

} // namespace

int Find(std::string_view text, std::string_view what, int from) {
    return Search(text, what, from, false);
}

int FindIgnoringCase(std::string_view text, std::string_view what, int from) {
    return Search(text, what, from, true);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && MatchesAt(text, 0, prefix, true);
}

} // namespace korvane::text
