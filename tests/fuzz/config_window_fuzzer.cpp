// The typed-text paths of the configuration window: typing in the city box (completion) with any
// GBK bytes and key codes, bound texts, the two check boxes, list picks and Save, in any order,
// on a whole program driven through the host window system.
//
// Input: a start byte, then commands until the input ends.
//   start 0x01: configured start (Beijing in config.ini) instead of the first use
//   start 0x02: every write of config.ini fails
//   start 0x04: the executable file exists, so autostart can be registered
//   start 0x08: the registry refuses every call
// Each command is a byte c; c % 8 chooses:
//   0 type in the city box: a key code byte, then a length-prefixed text
//   1 / 2 set the lowest / highest temperature box: a length-prefixed text
//   3 / 4 toggle the glass / autostart check box
//   5 pick a city from the list: a 16-bit index (out-of-range indexes pick nothing)
//   6 Save
//   7 close request, then open the window again from the tray menu
#include "common/host_program.h"
#include "config/autostart.h"
#include "config/city_table.h"
#include "config/config_window.h"
#include "config/settings.h"
#include "support/byte_reader.h"
#include "support/check.h"
#include "text/number.h"
#include "text/utf16.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::fuzz {
namespace {

using testing::HostProgram;

using ui::HandlerId;
using ui::UnitId;
using ui::WindowId;

struct Faults {
    bool failWrites;
    bool executableExists;
    bool refuseRegistry;
};

// A window text is zero-terminated: it cannot hold a NUL byte.
std::string WindowText(std::string text) {
    std::erase(text, '\0');
    return text;
}

bool SameSettings(const Settings& a, const Settings& b) {
    return a.CityId == b.CityId && a.MaxTemperature == b.MaxTemperature &&
           a.MinTemperature == b.MinTemperature && a.Opaque == b.Opaque;
}

// The reader takes a value up to the next CR LF: a text holding one reads back as something
// else than it was validated as (Save has already dropped a trailing half character).
bool ReadsBackAsTyped(std::string_view text) {
    return text.find("\r\n") == std::string_view::npos;
}

// The list holds the table's cities.
bool SomeItemBeginsWith(const std::string& text) {
    return std::ranges::any_of(CityNames(),
                               [&text](std::string_view name) { return name.starts_with(text); });
}

void TypeInCityBox(HostProgram<>& host, int key, const std::string& text) {
    ui::HostWindowSystem& ui = host.ui;
    ui.UserTypes(text, key);
    const std::string shown = ui.UnitText(UnitId::Combo1);
    Require(host.program.LastComboKey == key, "the last key is remembered");
    if (key == kBackspaceKey || !SomeItemBeginsWith(text)) {
        Require(shown == text, "without completion the text stays as typed");
        Require(ui.ComboSelection() == -1, "without completion the edit clears the selection");
        return;
    }
    const int selection = ui.ComboSelection();
    Require(selection >= 0 && ui.ComboItemText(selection) == shown, "an item was completed");
    Require(shown.compare(0, text.size(), text) == 0, "the completion begins with the typed text");
    const int start = ui.comboEditSelectionStart();
    const int length = ui.comboEditSelectionLength();
    Require(start >= static_cast<int>(text.size()) && length >= 0 &&
                start + length == static_cast<int>(shown.size()),
            "the completed rest is selected, the typed part is not");
}

void Save(HostProgram<>& host, const Faults& faults) {
    ui::HostWindowSystem& ui = host.ui;
    Program& program = host.program;
    const std::string minText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit1));
    const std::string maxText = WithoutHalfCharacter(ui.UnitText(UnitId::Edit2));
    const bool glass = ui.IsChecked(UnitId::Check1);
    const bool autostart = ui.IsChecked(UnitId::Check2);
    const bool wasVisible = ui.IsVisible(WindowId::Config);
    const std::optional<std::string> fileBefore = host.files.Content(kConfigFileName);
    const int writesBefore = host.files.Calls().writes;
    const std::size_t boxesBefore = ui.boxes().size();
    const Settings settingsBefore = program.settings;
    const int ticksBefore = program.TickCount;
    const int periodBefore = ui.TimerPeriod();
    const bool trayBefore = ui.trayShown();
    const bool autostartBefore = IsAutostartRegistered(host.registry);

    ui.Raise(HandlerId::OnSaveClicked);

    const int selection = ui.ComboSelection();
    // A bound holding a character GBK cannot hold (the seam's stand-in for it) is refused too.
    const auto holdsNoGbk = [](std::string_view bound) {
        return bound.find(text::kNoGbkCharacter) != std::string_view::npos;
    };
    const bool accepted = TemperatureBoundsAccepted(TextToNumber(minText), TextToNumber(maxText)) &&
                          !holdsNoGbk(minText) && !holdsNoGbk(maxText);
    const bool wrote = host.files.Calls().writes != writesBefore;
    Require(wrote == (selection >= 0 && accepted),
            "config.ini is written exactly for a city and accepted bounds");
    if (!wrote) {
        Require(host.files.Content(kConfigFileName) == fileBefore, "a refusal keeps the file");
        Require(ui.boxes().size() == boxesBefore + 1, "a refusal shows one box");
        Require(ui.IsVisible(WindowId::Config) == wasVisible, "a refusal keeps the window");
        Settings expected = settingsBefore;
        if (selection >= 0) expected.CityId = StationCodeAt(selection + 1);
        Require(SameSettings(program.settings, expected), "a refusal sets at most the CityId");
        return;
    }

    const std::string code(StationCodeAt(selection + 1));
    const std::string opaque = glass ? "0" : "1";
    if (faults.failWrites) {
        Require(host.files.Content(kConfigFileName) == fileBefore, "a failed write keeps the file");
        Require(ui.boxes().size() == boxesBefore + 1 && !ui.boxes().back().path.empty(),
                "a failed write names the file in one box");
        Require(ui.IsVisible(WindowId::Config) == wasVisible, "a failed write keeps the window");
        Require(SameSettings(program.settings, settingsBefore) &&
                    program.TickCount == ticksBefore && ui.TimerPeriod() == periodBefore &&
                    ui.trayShown() == trayBefore,
                "a failed write applies nothing");
        Require(IsAutostartRegistered(host.registry) == autostartBefore,
                "a failed write leaves autostart");
        return;
    }
    Require(ui.boxes().size() == boxesBefore, "an accepted Save shows no box");
    Require(host.files.Content(kConfigFileName) == SettingsFileText(code, maxText, minText, opaque),
            "the file holds the texts as typed");

    // The program's record is what the file now says (or, without a file, the picked city).
    platform::MemoryFiles copy;
    Settings fromFile = settingsBefore;
    fromFile.CityId = code;
    if (const auto content = host.files.Content(kConfigFileName)) {
        copy.Put(kConfigFileName, *content);
        Require(LoadSettings(copy, fromFile), "a saved file is configured");
        Require(PositionOfStationCode(fromFile.CityId) != 0, "a saved CityId is a table city");
    }
    Require(SameSettings(program.settings, fromFile), "Settings is reloaded from the file");
    if (ReadsBackAsTyped(minText) && ReadsBackAsTyped(maxText)) {
        Require(program.settings.MaxTemperature == TruncateToInt(TextToNumber(maxText)) &&
                    program.settings.MinTemperature == TruncateToInt(TextToNumber(minText)) &&
                    program.settings.Opaque == (glass ? 0 : 1),
                "the bounds read back as validated");
    }

    if (!faults.refuseRegistry) {
        const bool registered = IsAutostartRegistered(host.registry);
        if (!autostart) Require(!registered, "an unticked box removes autostart");
        if (autostart && faults.executableExists) Require(registered, "a ticked box registers");
    }
    Require(!ui.IsVisible(WindowId::Config), "Save hides the window");
    Require(ui.TimerPeriod() == kRefreshPeriodMilliseconds && program.TickCount == 0,
            "Save restarts the refresh cycle");
    Require(ui.trayShown(), "Save puts the tray icon back");
}

} // namespace
} // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;

    ByteReader input(data, size);
    const std::uint8_t start = input.Byte();
    const Faults faults{(start & 0x02) != 0, (start & 0x04) != 0, (start & 0x08) != 0};

    HostProgram<> host;
    if (start & 0x01) host.files.Put(kConfigFileName, testing::kBeijingFile);
    if (faults.executableExists) host.files.Put(host.process.executablePath, "MZ");
    host.registry.refuseEverything = faults.refuseRegistry;
    Require(!host.Start().has_value(), "the program starts");
    host.files.FailWrites(faults.failWrites);
    ui::HostWindowSystem& ui = host.ui;
    ui.SetVisible(WindowId::Config, true);

    while (!input.AtEnd()) {
        switch (input.Byte() % 8) {
        case 0: {
            const int key = input.Byte();
            TypeInCityBox(host, key, WindowText(input.Text()));
            break;
        }
        case 1:
            ui.SetUnitText(UnitId::Edit1, WindowText(input.Text()));
            break;
        case 2:
            ui.SetUnitText(UnitId::Edit2, WindowText(input.Text()));
            break;
        case 3:
            ui.SetChecked(UnitId::Check1, !ui.IsChecked(UnitId::Check1));
            break;
        case 4:
            ui.SetChecked(UnitId::Check2, !ui.IsChecked(UnitId::Check2));
            break;
        case 5: {
            const int index = input.Byte() | (input.Byte() << 8);
            if (index < ui.ComboCount()) {
                ui.UserSelectsItem(index);
                Require(host.program.settings.CityId == StationCodeAt(index + 1),
                        "a pick takes the city at once");
            }
            break;
        }
        case 6:
            Save(host, faults);
            break;
        case 7:
            ui.Raise(HandlerId::OnConfigWindowClosing);
            Require(!ui.IsVisible(WindowId::Config) && ui.trayShown(), "closing only hides");
            ui.Raise(HandlerId::OpenConfigWindow);
            Require(ui.IsVisible(WindowId::Config), "the window opens again");
            break;
        }
    }
    return 0;
}
