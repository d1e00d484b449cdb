#include "weather/reading_rule.h"

namespace korvane {
namespace {

bool AtLeast(std::uint32_t now, std::uint32_t since, std::uint32_t span) {
    return now - since >= span;
}

} // namespace

RefreshPlan PlanRefresh(LiveRecord& record, std::string_view station, std::uint32_t now) {
    // Neither the minute nor the reading of another station counts.
    if (record.Station != station) record = LiveRecord{std::string(station), {}, {}, 0};
    // Dropped once stale, so that the tick count's wrap after 49.7 days never revives it.
    if (record.Latest && AtLeast(now, record.LatestAt, kLiveReadingLastsMilliseconds))
        record.Latest.reset();

    RefreshPlan plan;
    plan.AskLive = !record.AskedAt || AtLeast(now, *record.AskedAt, kLiveAskEveryMilliseconds);
    if (plan.AskLive) record.AskedAt = now;
    plan.ApplyKept = record.Latest.has_value();
    plan.AskStation = !plan.ApplyKept;
    return plan;
}

void KeepLiveReading(LiveRecord& record, const Reading& reading, std::uint32_t now) {
    record.Latest = reading;
    record.LatestAt = now;
}

} // namespace korvane
