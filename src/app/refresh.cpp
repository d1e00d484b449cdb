#include "app/refresh.h"

#include "colour/ramp.h"
#include "text/texts.h"

#include <string>

namespace korvane {
namespace {

// What a refresh shows when its live ask gave nothing: the kept live reading, if the plan had one.
std::optional<Reading> KeptOrNothing(const Program& program, const RefreshPlan& plan) {
    return plan.ApplyKept ? program.live.Latest : std::nullopt;
}

} // namespace

void RefreshWeather(Program& program) {
    if (program.fetchState != FetchState::Idle) return;
    const std::string& station = program.settings.CityId;
    const RefreshPlan plan = PlanRefresh(program.live, station, program.services.clock.TickCount());
    if (!plan.AskLive && !plan.AskStation) {
        ApplyReading(program, program.live.Latest);
        return;
    }
    program.fetch.Prepare(station, plan);
    program.fetchState = FetchState::Running;
    if (!program.services.ui.StartBackgroundJob(program.fetch)) {
        program.fetchState = FetchState::Idle;
        ApplyReading(program, KeptOrNothing(program, plan));
    }
}

void OnFetchDone(Program& program) {
    const FetchState state = program.fetchState;
    program.fetchState = FetchState::Idle;
    if (state != FetchState::Running) return;
    const FetchJob& job = program.fetch;
    // A reading belongs to its station: a Save with another city has made this one void.
    if (job.StationCode() != program.settings.CityId) return;
    const FetchOutcome& outcome = job.Outcome();
    if (outcome.Live) {
        KeepLiveReading(program.live, *outcome.Live, program.services.clock.TickCount());
        ApplyReading(program, outcome.Live);
    } else if (job.Plan().ApplyKept) {
        ApplyReading(program, program.live.Latest);
    } else {
        ApplyReading(program, outcome.Station);
    }
}

void CheckFetchDeadline(Program& program) {
    if (program.fetchState != FetchState::Running) return;
    const FetchJob& job = program.fetch;
    if (program.services.clock.TickCount() - job.FetchStartedAt() < kFetchDeadlineMilliseconds)
        return;
    // Stuck past its deadline (a name lookup that never ends, say): it counts as no reading now;
    // its thread is not waited for, and its outcome is dropped when it ends.
    program.fetchState = FetchState::Abandoned;
    if (job.StationCode() == program.settings.CityId)
        ApplyReading(program, KeptOrNothing(program, job.Plan()));
}

void ApplyReading(Program& program, const std::optional<Reading>& reading) {
    WeatherState& state = program.weather;
    if (!reading) {
        state.StatusText = texts::kWaitingForNetwork;
        return;
    }
    state.CurrentTemperature = reading->Temperature;
    state.StatusText = std::string(texts::kCurrent) + std::to_string(reading->Temperature) +
                       std::string(texts::kCelsiusAndBlank) + reading->WindDirection +
                       reading->WindForce + "\r\n";

    const Settings& bounds = program.settings;
    ColourContext colour = program.Colour();
    SetScaleColour(
        colour, ScalePosition(reading->Temperature, bounds.MinTemperature, bounds.MaxTemperature),
        EggMode::Off);

    ui::WindowSystem& ui = program.services.ui;
    if (!ui.IsVisible(ui::WindowId::Config)) ui.SetTrayIcon(state.StatusText);
}

} // namespace korvane
