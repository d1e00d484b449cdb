#include "config/city_table.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace korvane {
namespace {

using korvane::testing::Gbk;

TEST(CityTable, CarriesTwoListsOf734CommaSeparatedEntriesOfTheExpectedSizes) {
    EXPECT_EQ(kStationCodeList.size(), 7339u);
    EXPECT_EQ(kCityNameList.size(), 4275u);
    EXPECT_EQ(std::count(kStationCodeList.begin(), kStationCodeList.end(), ','), kCityCount - 1);
    EXPECT_EQ(std::count(kCityNameList.begin(), kCityNameList.end(), ','), kCityCount - 1);
    std::set<std::string_view> codes;
    for (int position = 1; position <= kCityCount; ++position) {
        const std::string_view code = StationCodeAt(position);
        EXPECT_EQ(code.size(), 9u) << position;
        EXPECT_EQ(code.substr(0, 3), "101") << position;
        EXPECT_FALSE(CityNameAt(position).empty()) << position;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kCityCount));
}

struct CityCase {
    int position;
    const char* code;
    const char* nameUtf8;
};

TEST(CityTable, PairsEachPositionWithItsStationCodeAndName) {
    const CityCase cases[] = {
        {1, "101080904", "阿巴嘎旗"}, {2, "101050104", "阿城"},   {3, "101081102", "阿尔山"},
        {46, "101010100", "北京"},    {50, "101070501", "本溪"},  {51, "101070502", "本溪县"},
        {68, "101010300", "朝阳"},    {69, "101071201", "朝阳"},  {190, "101050101", "哈尔滨"},
        {461, "101020100", "上海"},   {487, "101020900", "松江"}, {488, "101060310", "松江"},
        {519, "101030100", "天津"},   {591, "101110101", "西安"}, {721, "101040100", "重庆"},
        {733, "101100404", "左权"},   {734, "101100208", "左云"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StationCodeAt(c.position), c.code) << c.position;
        EXPECT_EQ(CityNameAt(c.position), Gbk(c.nameUtf8)) << c.position;
        EXPECT_EQ(PositionOfStationCode(c.code), c.position) << c.position;
    }
}

struct LookupCase {
    const char* what_it_shows;
    std::string code;
};

TEST(PositionOfStationCode, GivesNoPositionForAnythingButAListedCodeExactly) {
    const LookupCase cases[] = {
        {"the empty text", ""},
        {"a nine-digit code not in the table", "101999999"},
        {"a listed code with a trailing space", "101010100 "},
        {"a listed code with a leading space", " 101010100"},
        {"a listed code cut short", "10101010"},
        {"two listed codes with their comma", "101080904,101050104"},
        {"a comma alone", ","},
        {"a listed code with a zero byte after it", std::string("101010100\0", 10)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PositionOfStationCode(c.code), 0) << c.what_it_shows;
    }
}

TEST(FirstCityBeginningWith, NamesTheFirstCityInTableOrderThatBeginsWithTheText) {
    const struct {
        const char* typedUtf8;
        int position;
    } cases[] = {{"北京", 46}, {"北", 42},  {"朝阳", 68},  {"松江", 487},
                 {"本溪", 50}, {"纽约", 0}, {"北京市", 0}, {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstCityBeginningWith(Gbk(c.typedUtf8)), c.position) << c.typedUtf8;
}

struct OutsideCase {
    int position;
};

TEST(CityTable, AnswersAnEmptyTextForPositionsOutsideTheTable) {
    const OutsideCase cases[] = {{0}, {-1}, {735}, {100000}, {-2147483647 - 1}, {2147483647}};
    for (const auto& c : cases) {
        EXPECT_TRUE(StationCodeAt(c.position).empty()) << c.position;
        EXPECT_TRUE(CityNameAt(c.position).empty()) << c.position;
    }
}

} // namespace
} // namespace korvane
