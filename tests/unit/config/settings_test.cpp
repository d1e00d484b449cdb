#include "config/settings.h"
#include "platform/host/memory_files.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace korvane {

// Local to this test: the record itself needs no comparison.
static bool operator==(const Settings& a, const Settings& b) {
    return a.CityId == b.CityId && a.MaxTemperature == b.MaxTemperature &&
           a.MinTemperature == b.MinTemperature && a.Opaque == b.Opaque;
}

static void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{CityId=\"" << s.CityId << "\", Max=" << s.MaxTemperature
         << ", Min=" << s.MinTemperature << ", Opaque=" << s.Opaque << "}";
}

namespace {

using korvane::testing::Gbk;
using platform::MemoryFiles;

// What the record held before the call, so that "left untouched" can be seen.
const Settings kPrevious{"101020100", 11, -11, 7};

struct LoadCase {
    const char* what_it_shows;
    std::optional<std::string> file; // nullopt: there is no config.ini
    bool expectedResult;
    Settings expected;
};

TEST(LoadSettings, ReadsEachKeyFromTheStartOfTheFileUpToTheNextLineBreak) {
    const LoadCase cases[] = {
        {"the file SaveSettings writes",
         "CityId=101010100\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0",
         true,
         {"101010100", 40, 0, 0}},
        {"no file leaves the record as it was", std::nullopt, false, kPrevious},
        {"an empty file clears the record", "", false, {"", 0, 0, 0}},
        {"fractions are cut toward zero",
         "CityId=1\r\nMaxTemperature=35.9\r\nMinTemperature=-5.5\r\nOpaque=1",
         true,
         {"1", 35, -5, 1}},
        {"a value that is no number reads as 0",
         "CityId=1\r\nMaxTemperature=abc\r\nMinTemperature=\r\nOpaque=x",
         true,
         {"1", 0, 0, 0}},
        {"a value typed with a trailing letter keeps its number",
         "CityId=1\r\nMaxTemperature=40a\r\nMinTemperature=-5\r\nOpaque=0",
         true,
         {"1", 40, -5, 0}},
        {"full-width digits read as their ASCII forms",
         "CityId=1\r\nMaxTemperature=" + Gbk("３５") + "\r\nMinTemperature=" + Gbk("－３") +
             "\r\nOpaque=0",
         true,
         {"1", 35, -3, 0}},
        {"Opaque takes the rest of the file, a trailing line break included",
         "CityId=1\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=1\r\n",
         true,
         {"1", 40, 0, 1}},
        {"the lines in reverse order read the same",
         "Opaque=1\r\nMinTemperature=-10\r\nMaxTemperature=30\r\nCityId=101010100\r\n",
         true,
         {"101010100", 30, -10, 1}},
        {"an empty CityId answers false although the numbers are read",
         "CityId=\r\nMaxTemperature=40\r\nMinTemperature=5\r\nOpaque=1",
         false,
         {"", 40, 5, 1}},
        {"a CityId without a line break after it is empty",
         "MaxTemperature=40\r\nMinTemperature=5\r\nOpaque=1\r\nCityId=101010100",
         false,
         {"", 40, 5, 1}},
        {"a missing key reads as empty or 0", "CityId=101010100\r\n", true, {"101010100", 0, 0, 0}},
        {"keys are case-sensitive",
         "cityid=1\r\nmaxtemperature=40\r\nopaque=1",
         false,
         {"", 0, 0, 0}},
        {"the first occurrence of a key wins",
         "CityId=1\r\nCityId=2\r\nMaxTemperature=9\r\nMaxTemperature=8\r\nOpaque=1",
         true,
         {"1", 9, 0, 1}},
        {"other lines in between are passed over",
         "[x]\r\nCityId=101010100\r\nNote=y\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0",
         true,
         {"101010100", 30, 0, 0}},
        {"the text ends at the first zero byte",
         std::string("CityId=1\r\nMaxTemperature=4\0"
                     "0\r\nMinTemperature=3\r\nOpaque=1",
                     50),
         true,
         {"1", 0, 0, 0}},
        {"a value runs to the line break, not to a lone CR or LF",
         "CityId=1\r2\n3\r\nMaxTemperature=1\r\n",
         true,
         {"1\r2\n3", 1, 0, 0}},
        // "¤" is A1 E8 in GBK; the key hidden across a character boundary is not seen.
        {"a key is not matched inside a double-byte character",
         "\xA1"
         "CityId=9\r\nMaxTemperature=1\r\n",
         false,
         {"", 1, 0, 0}},
        {"a Chinese value is kept byte for byte",
         "CityId=" + Gbk("北京") + "\r\nOpaque=0",
         true,
         {Gbk("北京"), 0, 0, 0}},
        {"huge numbers give a defined 0",
         "CityId=1\r\nMaxTemperature=1e300\r\nMinTemperature=-1e999\r\nOpaque=nan",
         true,
         {"1", 0, 0, 0}},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        if (c.file) files.Put(kConfigFileName, *c.file);
        Settings settings = kPrevious;
        EXPECT_EQ(LoadSettings(files, settings), c.expectedResult) << c.what_it_shows;
        EXPECT_EQ(settings, c.expected) << c.what_it_shows;
    }
}

struct WriteCase {
    const char* what_it_shows;
    std::string cityId, maxTemperature, minTemperature, opaque;
    std::string expectedBytes;
};

TEST(SaveSettings, WritesTheFourTextsUnchangedJoinedByLineBreaksWithoutATrailingOne) {
    const WriteCase cases[] = {
        {"the typical 63-byte file", "101010100", "40", "0", "0",
         "CityId=101010100\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0"},
        {"typed texts are not normalised", "101010100", "40a", "3.5", "1",
         "CityId=101010100\r\nMaxTemperature=40a\r\nMinTemperature=3.5\r\nOpaque=1"},
        {"empty texts leave bare keys", "", "", "", "",
         "CityId=\r\nMaxTemperature=\r\nMinTemperature=\r\nOpaque="},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        files.Put(kConfigFileName, "old content that is longer than any of the new ones ....");
        EXPECT_EQ(SettingsFileText(c.cityId, c.maxTemperature, c.minTemperature, c.opaque),
                  c.expectedBytes)
            << c.what_it_shows;
        EXPECT_EQ(SaveSettings(files, c.cityId, c.maxTemperature, c.minTemperature, c.opaque),
                  platform::ReplaceResult::Replaced)
            << c.what_it_shows;
        EXPECT_EQ(files.Content(kConfigFileName), c.expectedBytes) << c.what_it_shows;
    }
    EXPECT_EQ(SettingsFileText("101010100", "40", "0", "0").size(), 63u);
}

struct RoundTripCase {
    const char* what_it_shows;
    std::function<void(MemoryFiles&)> arrange;
    bool expectedSave;
    bool expectedLoad;
    Settings expected;
};

const std::string kOldFile =
    "CityId=101010100\r\nMaxTemperature=40\r\nMinTemperature=0\r\nOpaque=0";

TEST(SaveThenLoadSettings, ReadsBackWhatTheFileHoldsAfterTheWriteWhateverHappenedToIt) {
    // Every case saves 101280101 / 35 / -5 / 1 over kOldFile and then reloads the record.
    const RoundTripCase cases[] = {
        {"a plain write reads back as written",
         [](MemoryFiles&) {},
         true,
         true,
         {"101280101", 35, -5, 1}},
        {"an unwritable file keeps its old content whole",
         [](MemoryFiles& files) { files.FailWrites(); },
         false,
         true,
         {"101010100", 40, 0, 0}},
        {"a file that disappears after the write leaves the record untouched",
         [](MemoryFiles& files) {
             files.AfterNextWrite([](MemoryFiles& f) { f.Remove(kConfigFileName); });
         },
         true, false, kPrevious},
        {"a file that cannot be read counts as empty",
         [](MemoryFiles& files) { files.MakeUnreadable(kConfigFileName); },
         true,
         false,
         {"", 0, 0, 0}},
        {"a file emptied after the write reads as empty",
         [](MemoryFiles& files) {
             files.AfterNextWrite([](MemoryFiles& f) { f.Put(kConfigFileName, ""); });
         },
         true,
         false,
         {"", 0, 0, 0}},
        {"a 10 MB file is searched to its end",
         [](MemoryFiles& files) {
             files.AfterNextWrite([](MemoryFiles& f) {
                 f.Put(kConfigFileName,
                       std::string(10 * 1024 * 1024, '\xB1') + "CityId=101280101\r\nOpaque=1");
             });
         },
         true,
         true,
         {"101280101", 0, 0, 1}},
        {"a binary file is read up to its first zero byte",
         [](MemoryFiles& files) {
             files.AfterNextWrite([](MemoryFiles& f) {
                 f.Put(kConfigFileName,
                       std::string("CityId=7\r\nOpaque=\x01\x02\xFF\0CityId=8", 29));
             });
         },
         true,
         true,
         {"7", 0, 0, 0}},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        files.Put(kConfigFileName, kOldFile);
        c.arrange(files);
        Settings settings = kPrevious;
        EXPECT_EQ(SaveSettings(files, "101280101", "35", "-5", "1") ==
                      platform::ReplaceResult::Replaced,
                  c.expectedSave)
            << c.what_it_shows;
        EXPECT_EQ(LoadSettings(files, settings), c.expectedLoad) << c.what_it_shows;
        EXPECT_EQ(settings, c.expected) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane
