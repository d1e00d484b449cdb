#pragma once
// The configuration window "修改配置": filling it, picking a city, typing completion, Save and
// the close request.
#include "config/settings.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "ui/window_system.h"

#include <string>

namespace korvane {

inline constexpr int kBackspaceKey = 8;
inline constexpr int kRefreshPeriodMilliseconds = 1000;

struct ConfigWindowContext {
    Settings& settings;
    int& TickCount;
    int& LastComboKey;
    const std::string& StatusText;
    ui::WindowSystem& ui;
    platform::Files& files;
    platform::Registry& registry;
    platform::Process& process;
};

void OnConfigWindowCreated(ConfigWindowContext& context);
void OnCitySelected(ConfigWindowContext& context);
void OnSaveClicked(ConfigWindowContext& context);
bool OnConfigWindowClosing(ConfigWindowContext& context);
void OnCityComboKey(ConfigWindowContext& context, int keyCode);
void CompleteCityName(ConfigWindowContext& context);

// A text that ends in the first byte of a double-byte character would be read back differently
// from how it was checked (that byte pairs with the CR of the line break): Save drops the half
// character before it checks and stores a bound.
std::string WithoutHalfCharacter(std::string text);

// The typed bounds are accepted when min >= -50, max <= 60 and max - min >= 10 (within 1e-7).
bool TemperatureBoundsAccepted(double minTemperature, double maxTemperature);

} // namespace korvane
