#pragma once
// The program-wide values and the services they are worked with. One instance lives for the whole
// run; every handler receives it explicitly.
#include "colour/transition.h"
#include "config/config_window.h"
#include "config/settings.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dwm.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/os_version.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "ui/window_system.h"
#include "weather/fetch_job.h"
#include "weather/reading_rule.h"
#include "weather/weather_service.h"

#include <optional>
#include <string>

namespace korvane {

struct Services {
    ui::WindowSystem& ui;
    platform::Files& files;
    platform::Process& process;
    platform::Dwm& dwm;
    platform::OsInfo& os;
    platform::Registry& registry;
    platform::Internet& internet;
    platform::CodePage& codePage;
    platform::Clock& clock;
};

// What start-up sets the timer cycle to: a refresh whenever the tick counter is a multiple of
// RefreshEvery, and an easter-egg sweep of EggStep scale units a tick.
inline constexpr int kRefreshEveryTicks = 5;
inline constexpr int kEggStepAtStart = 2;

// The last reading as the program shows it.
struct WeatherState {
    int CurrentTemperature = 0;
    std::string StatusText;
};

// The one fetch a refresh may have out. Abandoned: past its deadline, counted as no reading; its
// thread has not ended yet, and no other fetch starts before it has.
enum class FetchState : std::uint8_t { Idle, Running, Abandoned };

struct Program {
    explicit Program(Services services) : services(services) {}
    Program(const Program&) = delete; // the documents refer to their sessions

    Services services;
    Settings settings;    // CityId, MaxTemperature, MinTemperature, Opaque
    ColourState colour;   // EasterEggMode, CurrentScalePosition
    WeatherState weather; // StatusText, CurrentTemperature
    int EggStep = kEggStepAtStart;
    int TickCount = 0;
    int RefreshEvery = kRefreshEveryTicks;
    int SavedTimerPeriod = 0;
    int LastComboKey = 0;
    // One session per document: the live one goes as a browser.
    platform::InternetHandle httpSession = 0;
    platform::InternetHandle liveSession = 0;
    // The colours in force before the program's first, handed back when it ends; none where the
    // window manager cannot tell them.
    std::optional<platform::ColorizationParameters> userColorization;
    bool ending = false; // the program is on its one way out

    // Where the readings come from: another source takes one document's place here.
    WeatherDocument stationDocument{WeatherDocument::Kind::Station, services.internet, httpSession,
                                    services.codePage, services.clock};
    WeatherDocument liveDocument{WeatherDocument::Kind::Live, services.internet, liveSession,
                                 services.codePage, services.clock};
    LiveRecord live;
    FetchJob fetch{liveDocument, stationDocument, services.clock};
    FetchState fetchState = FetchState::Idle;

    ColourContext Colour() { return {colour, settings.Opaque, services.ui, services.dwm}; }
    ConfigWindowContext ConfigWindow() {
        return {settings,    TickCount,      LastComboKey,      weather.StatusText,
                services.ui, services.files, services.registry, services.process};
    }
};

} // namespace korvane
