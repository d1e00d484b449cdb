#include "config/city_table.h"
#include "platform/host/iconv_code_page.h"
#include "support/gbk.h"
#include "text/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::platform {
namespace {

using text::GbkToUtf16;
using text::kNoGbkCharacter;
using text::kUnreadableCharacter;
using text::Utf16ToGbk;

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
        EXPECT_EQ(codePage.WideToGbk(c.unit, buffer, c.outSize), c.expectedCount)
            << c.what_it_shows;
        EXPECT_EQ(std::string(buffer, 2), c.expectedBytes) << c.what_it_shows;
    }
}

TEST(GbkText, EveryCityNameRoundTripsThroughUtf16) {
    IconvCodePage codePage;
    for (int position = 1; position <= kCityCount; ++position) {
        const std::string_view name = CityNameAt(position);
        const std::u16string shown = GbkToUtf16(codePage, name);
        EXPECT_EQ(shown.find(kUnreadableCharacter), std::u16string::npos) << position;
        EXPECT_EQ(Utf16ToGbk(codePage, shown), name) << position;
    }
    EXPECT_EQ(GbkToUtf16(codePage, CityNameAt(1)), u"阿巴嘎旗");
}

struct ToUtf16Case {
    const char* what_it_shows;
    std::string gbk;
    std::u16string expected;
};

TEST(GbkText, ShowsEveryGbkTextInUtf16WithAFixedStandInForBrokenBytes) {
    const ToUtf16Case cases[] = {
        {"the empty text", "", u""},
        {"ASCII as it is", "CityId=1\r\n", u"CityId=1\r\n"},
        {"the program's own texts", testing::Gbk("当前 9℃ 东南风2级"), u"当前 9℃ 东南风2级"},
        {"a lead byte at the end", "9\xB1", u"9\xFFFD"},
        {"a lead byte takes any byte after it along",
         "\xB1\x0A"
         "A",
         u"\xFFFD"
         "A"},
        {"a pair code page 936 does not define", "\xFF\xFF", u"\xFFFD"},
    };
    IconvCodePage codePage;
    for (const auto& c : cases)
        EXPECT_EQ(GbkToUtf16(codePage, c.gbk), c.expected) << c.what_it_shows;
}

struct ToGbkCase {
    const char* what_it_shows;
    std::u16string text;
    std::string expected;
};

TEST(GbkText, ReadsTypedUtf16AsGbkWithAStandInThatMatchesNothing) {
    const std::string none(kNoGbkCharacter);
    const ToGbkCase cases[] = {
        {"the empty text", u"", ""},
        {"ASCII as it is", u"-5", "-5"},
        {"Chinese and full-width digits", u"北京３０", testing::Gbk("北京３０")},
        {"a character outside GBK", u"30\u2600", "30" + none},
        {"no best fit: ë is not e", u"Zo\u00EB", "Zo" + none},
        {"the euro sign is not GBK's", u"\u20AC", none},
        {"a character beyond the BMP is one stand-in",
         u"\U0001F600"
         "1",
         none + "1"},
        {"a lone surrogate",
         u"\xD800"
         "1",
         none + "1"},
        {"the replacement character", u"\xFFFD", none},
    };
    IconvCodePage codePage;
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToGbk(codePage, c.text), c.expected) << c.what_it_shows;
}

} // namespace
} // namespace korvane::platform
