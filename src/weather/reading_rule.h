#pragma once
// Which document a refresh asks and which reading counts. The live document is asked at most once
// a minute per station, whatever it answered: its data changes every few minutes, and a client
// that asks every few seconds gets its address blocked. While its latest reading is less than ten
// minutes old, that reading is the reading and the station document is not asked; otherwise every
// refresh asks the station document as before, after the live one when its minute is up.
#include "weather/current_conditions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::uint32_t kLiveAskEveryMilliseconds = 60 * 1000;
inline constexpr std::uint32_t kLiveReadingLastsMilliseconds = 10 * 60 * 1000;

// What is known of the live document for one station; another station starts afresh.
struct LiveRecord {
    std::string Station;
    std::optional<std::uint32_t> AskedAt; // tick count of the last ask
    std::optional<Reading> Latest;        // its latest reading, while less than ten minutes old
    std::uint32_t LatestAt = 0;           // tick count at which that reading arrived
};

// A refresh: the live document first when asked, then, when it gives nothing, the kept live
// reading or the station document.
struct RefreshPlan {
    bool AskLive = false;
    bool ApplyKept = false;
    bool AskStation = false;
};

// Plans the refresh of `station` at tick count `now` and notes the live ask in the record.
RefreshPlan PlanRefresh(LiveRecord& record, std::string_view station, std::uint32_t now);

// A live reading that arrived at `now` for the record's station.
void KeepLiveReading(LiveRecord& record, const Reading& reading, std::uint32_t now);

} // namespace korvane
