#include "platform/host/iconv_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::platform {
namespace {

struct UnitCase {
    const char* what_it_shows;
    std::uint16_t unit;
    int outSize;
    int expectedCount;
    std::string expectedBytes; // the buffer after the call, which starts as "##"
};

TEST(IconvCodePage, ConvertsOneUnitToGbkAsWideCharToMultiByteWould) {
    const UnitCase cases[] = {
        {"a Chinese character is two bytes", 0x5317, 2, 2, "\xB1\xB1"},
        {"the degree sign is two bytes", 0x2103, 2, 2, "\xA1\xE6"},
        {"an ASCII letter is one byte", 0x0041, 2, 1, "A#"},
        {"U+0000 is one zero byte", 0x0000, 2, 1, std::string("\0#", 2)},
        {"a character GBK lacks is a question mark", 0x0800, 2, 1, "?#"},
        {"a lone high surrogate is a question mark", 0xD83D, 2, 1, "?#"},
        {"a lone low surrogate is a question mark", 0xDE00, 2, 1, "?#"},
        {"two bytes do not fit in one", 0x5317, 1, 0, "##"},
        {"one byte fits in one", 0x0041, 1, 1, "A#"},
        {"nothing fits in none", 0x0041, 0, 0, "##"},
        {"a negative size writes nothing", 0x0041, -1, 0, "##"},
    };
    IconvCodePage codePage;
    for (const auto& c : cases) {
        char buffer[2] = {'#', '#'};
        EXPECT_EQ(codePage.WideToAnsi(c.unit, buffer, c.outSize), c.expectedCount)
            << c.what_it_shows;
        EXPECT_EQ(std::string(buffer, 2), c.expectedBytes) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane::platform
