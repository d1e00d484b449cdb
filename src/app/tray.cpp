#include "app/tray.h"

#include "app/lifecycle.h"
#include "colour/ramp.h"
#include "text/texts.h"

#include <string>

namespace korvane {

using ui::WindowId;

void OnTrayEvent(Program& program, int action) {
    if (action == ui::tray_action::LeftUp || action == ui::tray_action::LeftDoubleClick) {
        OpenConfigWindow(program);
        program.services.ui.RemoveTrayIcon();
    } else if (action == ui::tray_action::RightUpOrMenuKey) {
        program.services.ui.PopupTrayMenu();
        // A refresh that came while the menu was open has kept its walk for now.
        ColourContext colour = program.Colour();
        RunDeferredWalk(colour);
    }
}

void OpenConfigWindow(Program& program) {
    ui::WindowSystem& ui = program.services.ui;
    ui.LoadWindow(WindowId::Config);
    ui.SetVisible(WindowId::Config, true);
}

void ShowAuthorBox(Program& program) {
    program.services.ui.ShowMessageBox(texts::kAuthor, texts::kAuthorCaption, ui::box::Information);
}

// A close request (a window-closing tool, taskkill without /f) ends the program the one way.
bool OnMainWindowClosing(Program& program) {
    EndProgram(program, 0);
    return true;
}

void OnPreviewSliderMoved(Program& program) {
    ui::WindowSystem& ui = program.services.ui;
    const int position = ui.SliderPosition();
    ui.SetUnitText(ui::UnitId::MainEdit1, std::to_string(position));
    ui.SetBackgroundColour(WindowId::Main, ScaleColourValue(position));
    ColourContext colour = program.Colour();
    SetScaleColour(colour, position, EggMode::Off);
}

} // namespace korvane
