#include "weather/fetch_job.h"

namespace korvane {

void FetchJob::Prepare(std::string_view stationCode, const RefreshPlan& plan) {
    stationCode_ = std::string(stationCode);
    plan_ = plan;
    outcome_ = FetchOutcome{};
    startedAt_.store(clock_.TickCount(), std::memory_order_release);
}

void FetchJob::Run() noexcept {
    if (plan_.AskLive) outcome_.Live = live_.Read(stationCode_);
    if (outcome_.Live || !plan_.AskStation) return;
    // The station document is a fetch of its own, with a deadline of its own.
    if (plan_.AskLive) startedAt_.store(clock_.TickCount(), std::memory_order_release);
    outcome_.Station = station_.Read(stationCode_);
}

} // namespace korvane
