#include "app/lifecycle.h"

#include "config/autostart.h"
#include "sysinfo/os_version_text.h"
#include "text/search.h"
#include "text/texts.h"

#include <array>
#include <string>

namespace korvane {
namespace {

using ui::WindowId;

void CloseHttpSession(Program& program, platform::InternetHandle& session) {
    if (session == 0) return;
    program.services.internet.Close(session);
    session = 0;
}

} // namespace

bool IsSupportedSystemName(std::string_view name) {
    constexpr std::array<std::string_view, 4> kKeywords{"Windows 7", "windows 8", "vista", "NT 6"};
    for (std::string_view keyword : kKeywords)
        if (text::FindIgnoringCase(name, keyword) != text::kNotFound) return true;
    return false;
}

bool StartProgram(Program& program) {
    Services& services = program.services;
    const std::u16string executable = services.process.ExecutablePath();
    services.process.ChangeDirectory(DirectoryOf(executable));
    // A second start hands over to the running one before any window or tray icon exists.
    if (!services.ui.ClaimSingleInstance()) return false;
    services.ui.LoadWindow(WindowId::Main);
    return true;
}

int RunProgram(Program& program) {
    if (!StartProgram(program)) return 0;
    const int code = program.services.ui.RunEventLoop();
    EndProgram(program, code);
    return code;
}

void OnMainWindowCreated(Program& program) {
    program.colour.CurrentScalePosition = kNoColourYet;
    program.EggStep = kEggStepAtStart;
    program.RefreshEvery = kRefreshEveryTicks;
    program.colour.EasterEggMode = EggMode::Off;

    Services& services = program.services;
    const std::string systemName = OsVersionText(services.os.Query(), 1, 1);
    if (IsSupportedSystemName(systemName) && services.dwm.IsCompositionEnabled()) {
        program.userColorization = services.dwm.ColorizationInForce();
        StartOrWelcome(program);
        return;
    }
    std::string message(texts::kUnsupportedSystem);
    message += systemName;
    services.ui.ShowMessageBox(message, texts::kErrorCaption, ui::box::Error);
    services.ui.EndProcess(0);
}

void StartOrWelcome(Program& program) {
    ui::WindowSystem& ui = program.services.ui;
    if (LoadSettings(program.services.files, program.settings)) {
        ui.LoadWindow(WindowId::Config);
        ui.SetTrayIcon(program.weather.StatusText);
        StartRefreshCycle(program);
        return;
    }
    ui.ShowMessageBox(texts::kWelcome, texts::kFirstUseCaption, ui::box::Information);
    const int answer = ui.ShowMessageBox(texts::kAutostartQuestion, texts::kQuestionCaption,
                                         ui::box::YesNoQuestion);
    ui.LoadWindow(WindowId::Config);
    // A Yes ticks the autostart box; the choice takes effect with the first Save.
    if (answer == ui::box::Yes) ui.SetChecked(ui::UnitId::Check2, true);
    ui.SetVisible(WindowId::Config, true);
}

void StartRefreshCycle(Program& program) {
    program.TickCount = 0;
    program.services.ui.SetTimerPeriod(kRefreshPeriodMilliseconds);
}

void ExitProgram(Program& program) {
    EndProgram(program, 0);
}

void EndProgram(Program& program, int exitCode) {
    if (program.ending) return;
    program.ending = true;
    ui::WindowSystem& ui = program.services.ui;
    ui.RemoveTrayIcon();
    if (ui.IsLoaded(WindowId::Config)) {
        ui.SetVisible(WindowId::Config, false);
        ui.DestroyWindow(WindowId::Config);
    }
    // A session that a fetch still uses is left to the end of the process: closing it could wait
    // for that fetch.
    if (program.fetchState == FetchState::Idle) {
        CloseHttpSession(program, program.httpSession);
        CloseHttpSession(program, program.liveSession);
    }
    // The frames get the user's own colours back.
    if (program.userColorization) program.services.dwm.ApplyColorization(*program.userColorization);
    ReleaseProgramTexts(program);
    ui.EndProcess(exitCode);
}

void ReleaseProgramTexts(Program& program) {
    program.settings.CityId = std::string();
    program.weather.StatusText = std::string();
}

} // namespace korvane
