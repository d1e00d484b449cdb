// Which document a refresh asks and which reading counts, by the age of the last live ask and of
// the latest live reading.
#include "weather/reading_rule.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr std::uint32_t kSecond = 1000, kMinute = 60 * kSecond;
constexpr std::uint32_t kNow = 0xFFFFF000; // just before the tick count wraps

TEST(ReadingRule, TheLiveDocumentOnceAMinuteItsReadingForTenMinutesPerStation) {
    const struct {
        const char* how;
        std::optional<std::uint32_t> askedAgo, readAgo; // none: never asked, no reading kept
        const char* station;                            // asked now; the record is of 101010100
        bool askLive, applyKept, askStation;
    } rows[] = {
        {"never asked: live first, the station document if it gives nothing", {}, {}, "101010100",
         true, false, true},
        {"asked 0 s ago, a reading just in", 0, 0, "101010100", false, true, false},
        {"asked 59 s ago", 59 * kSecond, 59 * kSecond, "101010100", false, true, false},
        {"asked 60 s ago: live again, the kept reading if it gives nothing", kMinute, kMinute,
         "101010100", true, true, false},
        {"the reading 9 min old", kMinute, 9 * kMinute, "101010100", true, true, false},
        {"the reading 10 min old: the station document again", 30 * kSecond, 10 * kMinute,
         "101010100", false, false, true},
        {"no live reading, asked 59 s ago: the station document", 59 * kSecond, {}, "101010100",
         false, false, true},
        {"another station: asked at once, nothing kept", 0, 0, "101020100", true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        LiveRecord record{"101010100", {}, {}, 0};
        if (row.askedAgo) record.AskedAt = kNow - *row.askedAgo;
        if (row.readAgo) KeepLiveReading(record, Reading{3, "", ""}, kNow - *row.readAgo);

        const RefreshPlan plan = PlanRefresh(record, row.station, kNow);
        EXPECT_EQ(plan.AskLive, row.askLive);
        EXPECT_EQ(plan.ApplyKept, row.applyKept);
        EXPECT_EQ(plan.AskStation, row.askStation);
        EXPECT_EQ(record.Station, row.station);
        const std::optional<std::uint32_t> before =
            row.askedAgo ? std::optional(kNow - *row.askedAgo) : std::nullopt;
        EXPECT_EQ(record.AskedAt, row.askLive ? kNow : before) << "an ask starts the minute again";
    }
}

} // namespace
} // namespace korvane
