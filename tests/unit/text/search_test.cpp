#include "support/gbk.h"
#include "text/search.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::text {
namespace {

using korvane::testing::Gbk;

struct SearchCase {
    const char* what_it_shows;
    std::string text;
    std::string what;
    int from;
    bool ignoreCase;
    int expected;
};

TEST(TextSearch, AnswersTheOneBasedPositionOfTheFirstMatchOnACharacterBoundary) {
    const SearchCase cases[] = {
        {"a match at the start is position 1", "CityId=1", "CityId=", 1, false, 1},
        {"a later match counts bytes from 1", "ab\r\ncd", "\r\n", 1, false, 3},
        {"absent text gives -1", "abc", "x", 1, false, kNotFound},
        {"the empty pattern matches nowhere", "abc", "", 1, false, kNotFound},
        {"the empty text holds nothing", "", "a", 1, false, kNotFound},
        {"a pattern longer than the text is absent", "ab", "abc", 1, false, kNotFound},
        {"the first of several matches wins", "xaxa", "a", 1, false, 2},
        {"the search begins at `from`", "xaxa", "a", 3, false, 4},
        {"a `from` on the match itself finds it", "xaxa", "a", 4, false, 4},
        {"a `from` past the end finds nothing", "xaxa", "a", 5, false, kNotFound},
        {"a `from` below 1 searches from the start", "xaxa", "a", -7, false, 2},
        {"bytes are compared exactly by default", "cityid=", "CityId=", 1, false, kNotFound},
        // B1 B1 is one character: the 0xB1 that starts the second character's lookalike is its
        // second byte, so only the real character at 3 matches.
        {"no match starts inside a double-byte character", "\xB0\xB1\xB1\xB1", "\xB1\xB1", 1, false,
         3},
        {"an ASCII-looking second byte is not a character", Gbk("丂") + "@", "@", 1, false, 3},
        {"a second byte equal to the pattern is skipped", "\x81\x40", "\x40", 1, false, kNotFound},
        {"a lone lead byte at the end still starts a character", "a\xB1", "\xB1", 1, false, 2},
        {"a pattern running past a lone last lead byte is absent", "a\xB1", "\xB1\xB1", 1, false,
         kNotFound},
        {"Chinese text is found by its bytes", Gbk("当前温度"), Gbk("温度"), 1, false, 5},
        {"case is ignored for ASCII letters when asked", "Microsoft Windows 7", "windows 7", 1,
         true, 11},
        {"ignoring case also finds upper-case patterns", " b", "B", 1, true, 2},
        {"ignoring case does not ignore other bytes", "a-b", "a_b", 1, true, kNotFound},
        // 0x81 0x61 is one character whose second byte looks like 'a'; it must not equal 'A'.
        {"a second byte is never case-folded", "\x81\x61", "\x81\x41", 1, true, kNotFound},
        {"a double-byte pattern matches itself when ignoring case", "x\x81\x61", "\x81\x61", 1,
         true, 2},
    };
    for (const auto& c : cases) {
        const int found =
            c.ignoreCase ? FindIgnoringCase(c.text, c.what, c.from) : Find(c.text, c.what, c.from);
        EXPECT_EQ(found, c.expected) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane::text
