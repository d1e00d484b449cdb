#pragma once
// The program-wide values and the services they are worked with. One instance lives for the whole
// run; every handler receives it explicitly.
#include "colour/transition.h"
#include "config/config_window.h"
#include "config/settings.h"
#include "platform/code_page.h"
#include "platform/dwm.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/os_version.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "ui/window_system.h"
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

struct Program {
    explicit Program(Services services) : services(services) {}
    Program(const Program&) = delete; // weatherService refers to httpSession

    Services services;
    Settings settings;    // CityId, MaxTemperature, MinTemperature, Opaque
    ColourState colour;   // EasterEggMode, CurrentScalePosition
    WeatherState weather; // StatusText, CurrentTemperature
    int EggStep = kEggStepAtStart;
    int TickCount = 0;
    int RefreshEvery = kRefreshEveryTicks;
    int SavedTimerPeriod = 0;
    int LastComboKey = 0;
    platform::InternetHandle httpSession = 0;
    // The colours in force before the program's first, handed back when it ends; none where the
    // window manager cannot tell them.
    std::optional<platform::ColorizationParameters> userColorization;
    WeatherService weatherService{services.internet, httpSession, services.codePage};

    // Where the readings come from: a second source would be returned here instead.
    ReadingSource& Readings() { return weatherService; }
    ColourContext Colour() { return {colour, settings.Opaque, services.ui, services.dwm}; }
    ConfigWindowContext ConfigWindow() {
        return {settings,    TickCount,      LastComboKey,      weather.StatusText,
                services.ui, services.files, services.registry, services.process};
    }
};

} // namespace korvane
