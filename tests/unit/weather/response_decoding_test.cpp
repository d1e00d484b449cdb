#include "platform/host/iconv_code_page.h"
#include "support/gbk.h"
#include "weather/response_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

using korvane::testing::Gbk;

struct DecodeCase {
    const char* what_it_shows;
    std::string bytes;
    std::string expected;
};

TEST(DecodeResponse, TurnsUtf8ResponseBytesIntoGbkTextByTokens) {
    const DecodeCase cases[] = {
        {"empty input gives empty text", "", ""},
        {"ASCII without slashes is unchanged", R"({"temp":"-3","WD":"N","WS":"2"} x,y:1)",
         R"({"temp":"-3","WD":"N","WS":"2"} x,y:1)"},
        {"a slash becomes a backslash", "a/b", "a\\b"},
        {"every slash becomes a backslash", "//x/", "\\\\x\\"},
        {"a backslash stays", "a\\b", "a\\b"},
        {"a Chinese character becomes its two GBK bytes", "\xE5\x8C\x97", "\xB1\xB1"},
        {"the degree sign becomes A1 E6", "\xE2\x84\x83", "\xA1\xE6"},
        {"a whole response line", "{\"city\":\"北京\",\"temp\":\"3℃\",\"time\":\"10/25\"}",
         "{\"city\":\"" + Gbk("北京") + "\",\"temp\":\"3" + Gbk("℃") + "\",\"time\":\"10\\25\"}"},
        {"two-byte UTF-8 passes through", "\xC2\xB0", "\xC2\xB0"},
        {"bytes 80 to DF pass through", "\x80\xBF\xC0\xDF", "\x80\xBF\xC0\xDF"},
        {"a plain run ends at its NUL, the blank after it comes through", std::string("a\0b ", 4),
         "a "},
        {"the NUL cuts only its own run", std::string("a\0b/c\0d", 7), "a\\c"},
        {"a leading NUL empties the run", std::string("\0abc", 4), ""},
        {"a group cut short by the end still gives text after the rest", "ab\xE5\x8C",
         "ab" + Gbk("匀")},
        {"a lone lead byte at the end gives some text", "z\xE5", "z" + Gbk("倀")},
        {"a group swallows the two bytes after its lead, quotes included", "\xE5\"x/", "? \\"},
        {"a four-byte sequence is cut after its third byte", "\xF0\x9F\x98\x80", "? \x80"},
        {"a character GBK lacks becomes a question mark and a blank", "\xE0\xA0\x80", "? "},
        {"an overlong letter comes out as that letter and a blank", "\xE0\x81\x81", "A "},
        {"U+0000 as a group gives nothing",
         "\xE0\x80\x80"
         "a",
         "a"},
        {"a line break after a lead is removed from the group", "\xE5\r\n\x8C\x97",
         Gbk("倀") + "\x8C\x97"},
    };
    platform::IconvCodePage gbk;
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeResponse(gbk, c.bytes), c.expected) << c.what_it_shows;
    }
}

// Remembers what DecodeGroup hands over and answers as told.
class RecordingCodePage : public platform::CodePage {
  public:
    explicit RecordingCodePage(std::string answer) : answer_(std::move(answer)) {}
    int WideToGbk(std::uint16_t unit, char* out, int outSize) override {
        units.push_back(unit);
        sizes.push_back(outSize);
        const int length = static_cast<int>(answer_.size());
        if (length > outSize) return 0;
        for (int i = 0; i < length; ++i)
            out[i] = answer_[static_cast<std::size_t>(i)];
        return length;
    }
    std::vector<std::uint16_t> units;
    std::vector<int> sizes;

  private:
    std::string answer_;
};

struct GroupCase {
    const char* what_it_shows;
    std::string group;
    std::string answer; // what the code page writes
    std::uint16_t expectedUnit;
    std::string expected;
};

TEST(DecodeGroup, HandsOverOneCodeUnitAndReadsTheTwoByteBufferToItsNul) {
    const GroupCase cases[] = {
        {"U+5317 is handed over whole", "\xE5\x8C\x97", "\xB1\xB1", 0x5317, "\xB1\xB1"},
        {"U+0800 has the high byte 08", "\xE0\xA0\x80", "?", 0x0800, "? "},
        {"U+FFFF is the largest well-formed unit", "\xEF\xBF\xBF", "?", 0xFFFF, "? "},
        {"a one-byte answer leaves the second blank", "\xE0\x81\x81", "A", 0x0041, "A "},
        {"nothing written leaves two blanks", "\xE5\x8C\x97", "abc", 0x5317, "  "},
        {"a written NUL ends the text", "\xE0\x80\x80", std::string(1, '\0'), 0, ""},
        {"a lead of F0 keeps the low 16 bits", "\xF0\x9F\x98", "?", 0x07D8, "? "},
        {"continuation bytes below 80 still give a unit", "\xE1\x41\x42", "?", 0x0002, "? "},
        {"a CR LF inside the group is removed first", "\xE5\r\n", "?", 0x5000, "? "},
        {"a lone lead byte counts its missing bytes as 80", "\xE5", "?", 0x5000, "? "},
    };
    for (const auto& c : cases) {
        RecordingCodePage codePage(c.answer);
        EXPECT_EQ(DecodeGroup(codePage, c.group), c.expected) << c.what_it_shows;
        ASSERT_EQ(codePage.units.size(), 1u) << c.what_it_shows;
        EXPECT_EQ(codePage.units[0], c.expectedUnit) << c.what_it_shows;
        EXPECT_EQ(codePage.sizes[0], 2) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane
