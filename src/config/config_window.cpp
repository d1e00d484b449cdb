#include "config/config_window.h"

#include "config/autostart.h"
#include "config/city_table.h"
#include "text/gbk.h"
#include "text/number.h"
#include "text/texts.h"
#include "text/utf16.h"

#include <algorithm>
#include <string>

namespace korvane {
namespace {

using ui::UnitId;
using ui::WindowId;

// The bounds a user may type, and how far apart they must be at least.
constexpr double kLowestBound = -50;
constexpr double kHighestBound = 60;
constexpr double kLeastSpan = 10;

constexpr unsigned kErrorBoxStyle = ui::box::Error | ui::box::TaskModal;

void ShowError(ui::WindowSystem& ui, std::string_view text) {
    ui.ShowMessageBox(text, texts::kErrorCaption, kErrorBoxStyle);
}

// Selects the city the text names; without one the selection stays as it was.
void SelectCityNamed(ui::WindowSystem& ui, std::string_view typed) {
    if (const int position = FirstCityBeginningWith(typed)) ui.SetComboSelection(position - 1);
}

// By the city's own name: of two equal names the first one wins. An unknown code (no name)
// selects nothing; it stays in use for requests.
void SelectCityOfCode(ui::WindowSystem& ui, std::string_view code) {
    SelectCityNamed(ui, CityNameAt(PositionOfStationCode(code)));
}

// config.ini lies beside the executable, whose folder start-up made the current one.
std::u16string ConfigFilePath(std::u16string_view executablePath) {
    std::u16string path(DirectoryOf(executablePath));
    if (!path.empty() && !path.ends_with(u'\\')) path += u'\\';
    return path += kConfigFileName;
}

// A typed character that GBK cannot hold could not be written to config.ini as typed.
bool HoldsNoGbkCharacter(std::string_view text) {
    return text.find(text::kNoGbkCharacter) != std::string_view::npos;
}

} // namespace

std::string WithoutHalfCharacter(std::string text) {
    text.resize(text::WholeCharactersWithin(text, text.size()).size());
    return text;
}

bool TemperatureBoundsAccepted(double minTemperature, double maxTemperature) {
    if (Below(minTemperature, kLowestBound) || Above(maxTemperature, kHighestBound)) return false;
    return !Below(maxTemperature - minTemperature, kLeastSpan);
}

void OnConfigWindowCreated(ConfigWindowContext& context) {
    ui::WindowSystem& ui = context.ui;
    ui.RemoveTrayIcon();
    ui.SetWindowIcon(WindowId::Config, ui::IconId::Tray);
    for (std::string_view name : CityNames())
        ui.ComboAddItem(name);

    Settings scratch;
    if (!LoadSettings(context.files, scratch)) {
        ui.SetUnitText(UnitId::Edit1, "0");
        ui.SetUnitText(UnitId::Edit2, "40");
        ui.SetChecked(UnitId::Check1, true);
    } else {
        SelectCityOfCode(ui, scratch.CityId);
        ui.SetUnitText(UnitId::Edit1, std::to_string(scratch.MinTemperature));
        ui.SetUnitText(UnitId::Edit2, std::to_string(scratch.MaxTemperature));
        ui.SetChecked(UnitId::Check1, scratch.Opaque == 0);
    }
    ui.SetChecked(UnitId::Check2, false);
    if (IsAutostartRegistered(context.registry)) ui.SetChecked(UnitId::Check2, true);
}

void OnCitySelected(ConfigWindowContext& context) {
    const int index = context.ui.ComboSelection();
    if (index < 0 || index >= kCityCount) return;
    context.settings.CityId = StationCodeAt(index + 1);
}

void OnSaveClicked(ConfigWindowContext& context) {
    ui::WindowSystem& ui = context.ui;
    SelectCityNamed(ui, ui.UnitText(UnitId::Combo1));
    const int index = ui.ComboSelection();
    if (index < 0 || index >= kCityCount) {
        ShowError(ui, texts::kWrongCity);
        return;
    }
    const std::string city(StationCodeAt(index + 1));

    const std::string minText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit1));
    const std::string maxText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit2));
    if (!TemperatureBoundsAccepted(TextToNumber(minText), TextToNumber(maxText)) ||
        HoldsNoGbkCharacter(minText) || HoldsNoGbkCharacter(maxText)) {
        context.settings.CityId = city; // the city is taken even when the bounds are refused
        ShowError(ui, texts::kWrongTemperatures);
        return;
    }

    // The file comes first: a Save that cannot be written applies nothing (no city, no autostart
    // change, no restart of the cycle) and keeps the window open with what the user typed.
    const std::string_view opaque = ui.IsChecked(UnitId::Check1) ? "0" : "1";
    const platform::ReplaceResult saved =
        SaveSettings(context.files, city, maxText, minText, opaque);
    if (saved != platform::ReplaceResult::Replaced) {
        // A read-only file was protected on purpose: the box names that, not the folder.
        const bool readOnly = saved == platform::ReplaceResult::ReadOnly;
        ui.ShowFileMessageBox(readOnly ? texts::kConfigReadOnly : texts::kConfigNotSaved,
                              ConfigFilePath(context.process.ExecutablePath()),
                              texts::kErrorCaption, kErrorBoxStyle);
        return;
    }
    context.settings.CityId = city;

    if (ui.IsChecked(UnitId::Check2)) {
        const std::u16string executable = context.process.ExecutablePath();
        if (context.files.Exists(executable)) RegisterAutostart(context.registry, executable);
    } else {
        RemoveAutostart(context.registry);
    }

    // A reread that finds no configuration (config.ini removed since, or unreadable) would leave
    // the program without a city: it keeps the values it has then, the picked city among them.
    Settings reread = context.settings;
    if (LoadSettings(context.files, reread)) context.settings = std::move(reread);

    context.TickCount = 0;
    ui.SetTimerPeriod(kRefreshPeriodMilliseconds);
    ui.SetTrayIcon(context.StatusText);
    ui.SetVisible(WindowId::Config, false);
}

bool OnConfigWindowClosing(ConfigWindowContext& context) {
    context.ui.SetTrayIcon(context.StatusText);
    context.ui.SetVisible(WindowId::Config, false);
    return false;
}

void OnCityComboKey(ConfigWindowContext& context, int keyCode) {
    context.LastComboKey = keyCode;
}

void CompleteCityName(ConfigWindowContext& context) {
    if (context.LastComboKey == kBackspaceKey) return;
    ui::WindowSystem& ui = context.ui;
    // The list holds the table's cities in order (as the selection handlers rely on), so the
    // names are read from the table. A match puts the name in the edit field: from then on a later
    // city matches only if it begins with the whole matched name, and the last of such a chain
    // wins.
    const auto names = CityNames();
    const auto count = static_cast<std::size_t>(std::clamp(ui.ComboCount(), 0, kCityCount));
    std::string typed = ui.UnitText(UnitId::Combo1);
    for (std::size_t index = 0; index < count; ++index) {
        if (!names[index].starts_with(typed)) continue;
        ui.SetComboSelection(static_cast<int>(index));
        std::string shown = ui.UnitText(UnitId::Combo1);
        const int typedLength = static_cast<int>(typed.size());
        ui.SetComboEditSelection(typedLength, static_cast<int>(shown.size()) - typedLength);
        typed = std::move(shown);
    }
}

} // namespace korvane
