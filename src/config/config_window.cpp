#include "config/config_window.h"

#include "config/autostart.h"
#include "config/city_table.h"
#include "config/text_to_number.h"
#include "platform/gbk_text.h"

#include <string>

namespace korvane {
namespace {

using ui::UnitId;
using ui::WindowId;

constexpr double kTolerance = 1e-7;
constexpr std::string_view kErrorCaption = "\xB4\xED\xCE\xF3"; // "错误"
// "输入了错误的城市，请重新选择！"
constexpr std::string_view kWrongCity = "\xCA\xE4\xC8\xEB\xC1\xCB\xB4\xED\xCE\xF3\xB5\xC4\xB3\xC7"
                                        "\xCA\xD0\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2"
                                        "\xD1\xA1\xD4\xF1\xA3\xA1";
// "错误的温度值，最高最低温度是指您所在城市一年中可能出现的极端温度值！"
constexpr std::string_view kWrongTemperatures =
    "\xB4\xED\xCE\xF3\xB5\xC4\xCE\xC2\xB6\xC8\xD6\xB5\xA3\xAC\xD7\xEE\xB8\xDF\xD7\xEE\xB5\xCD\xCE"
    "\xC2"
    "\xB6\xC8\xCA\xC7\xD6\xB8\xC4\xFA\xCB\xF9\xD4\xDA\xB3\xC7\xCA\xD0\xD2\xBB\xC4\xEA\xD6\xD0\xBF"
    "\xC9"
    "\xC4\xDC\xB3\xF6\xCF\xD6\xB5\xC4\xBC\xAB\xB6\xCB\xCE\xC2\xB6\xC8\xD6\xB5\xA3\xA1";
constexpr unsigned kErrorBoxStyle = ui::box::Error | ui::box::TaskModal;

void ShowError(ui::WindowSystem& ui, std::string_view text) {
    ui.ShowMessageBox(text, kErrorCaption, kErrorBoxStyle);
}

void SelectCityOfCode(ui::WindowSystem& ui, std::string_view code) {
    const int position = PositionOfStationCode(code);
    if (position == 0) return; // an unknown code selects nothing; it stays in use for requests
    // Select by the city's own name: of two equal names the first one wins.
    ui.ComboSelectPrefix(ui.ComboItemText(position - 1));
}

// A typed character that GBK cannot hold could not be written to config.ini as typed.
bool HoldsNoGbkCharacter(std::string_view text) {
    return text.find(platform::kNoGbkCharacter) != std::string_view::npos;
}

} // namespace

std::string WithoutHalfCharacter(std::string text) {
    std::size_t i = 0;
    while (i < text.size())
        i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
    if (i > text.size()) text.pop_back();
    return text;
}

bool TemperatureBoundsAccepted(double minTemperature, double maxTemperature) {
    if (minTemperature - -50.0 < -kTolerance) return false;
    if (maxTemperature - 60.0 > kTolerance) return false;
    return (maxTemperature - minTemperature) - 10.0 >= -kTolerance;
}

void OnConfigWindowCreated(ConfigWindowContext& context) {
    ui::WindowSystem& ui = context.ui;
    ui.RemoveTrayIcon();
    ui.SetWindowIcon(WindowId::Config, ui::IconId::Tray);
    for (int position = 1; position <= kCityCount; ++position)
        ui.ComboAddItem(CityNameAt(position));

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
    ui.ComboSelectPrefix(ui.UnitText(UnitId::Combo1));
    const int index = ui.ComboSelection();
    if (index < 0 || index >= kCityCount) {
        ShowError(ui, kWrongCity);
        return;
    }
    context.settings.CityId = StationCodeAt(index + 1);

    const std::string minText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit1));
    const std::string maxText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit2));
    if (!TemperatureBoundsAccepted(TextToNumber(minText), TextToNumber(maxText)) ||
        HoldsNoGbkCharacter(minText) || HoldsNoGbkCharacter(maxText)) {
        ShowError(ui, kWrongTemperatures);
        return;
    }

    if (ui.IsChecked(UnitId::Check2)) {
        const std::u16string executable = context.process.ExecutablePath();
        if (context.files.Exists(executable)) RegisterAutostart(context.registry, executable);
    } else {
        RemoveAutostart(context.registry);
    }

    const std::string_view opaque = ui.IsChecked(UnitId::Check1) ? "0" : "1";
    SaveSettings(context.files, context.settings.CityId, maxText, minText, opaque);
    // A reread that finds no configuration (config.ini gone, or a folder of that name that
    // can be neither written nor read) would leave the program without a city: it keeps the
    // values it has then, the picked city among them.
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
    const int count = ui.ComboCount();
    for (int index = 0; index < count; ++index) {
        // The text is read afresh on every pass: once an item has matched, a later item matches
        // only if it begins with the whole matched name, and the last of such a chain wins.
        const std::string typed = ui.UnitText(UnitId::Combo1);
        const std::string item = ui.ComboItemText(index);
        if (item.compare(0, typed.size(), typed) != 0) continue;
        ui.SetComboSelection(index);
        const int typedLength = static_cast<int>(typed.size());
        const int shownLength = static_cast<int>(ui.UnitText(UnitId::Combo1).size());
        ui.SetComboEditSelection(typedLength, shownLength - typedLength);
    }
}

} // namespace korvane
