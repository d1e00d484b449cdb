#pragma once
// The requests of one refresh, run off the window thread so that a stalled network never holds
// the tray, the menu or the end of the log-on session. The window thread prepares the job, the
// window system runs it on a thread of its own, and the window thread reads the outcome after the
// job-done event; in between, the window thread touches only the start of the fetch under way.
// A thread of its own rather than WinINet's asynchronous mode: the fetch stays the plain sequence
// of calls it always was, and a name lookup (which no WinINet time-out covers) can hold only that
// thread, which the window thread gives up on at the deadline and never waits for.
#include "platform/background_job.h"
#include "platform/clock.h"
#include "weather/reading_rule.h"
#include "weather/weather_service.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

struct FetchOutcome {
    std::optional<Reading> Live;    // asked when the plan says so
    std::optional<Reading> Station; // asked when the plan says so and the live one gave nothing
};

class FetchJob final : public platform::BackgroundJob {
  public:
    FetchJob(ReadingSource& live, ReadingSource& station, platform::Clock& clock)
        : live_(live), station_(station), clock_(clock) {}

    // Window thread, while no job runs.
    void Prepare(std::string_view stationCode, const RefreshPlan& plan);
    // The job's thread.
    void Run() noexcept override;

    // Window thread: the tick count at which the fetch under way began.
    std::uint32_t FetchStartedAt() const { return startedAt_.load(std::memory_order_acquire); }
    // Window thread, after the job-done event.
    const std::string& StationCode() const { return stationCode_; }
    const RefreshPlan& Plan() const { return plan_; }
    const FetchOutcome& Outcome() const { return outcome_; }

  private:
    ReadingSource& live_;
    ReadingSource& station_;
    platform::Clock& clock_;
    std::string stationCode_;
    RefreshPlan plan_;
    FetchOutcome outcome_;
    std::atomic<std::uint32_t> startedAt_{0};
};

} // namespace korvane
