#pragma once
// The tray icon's events, its menu entries and the main window's own handlers.
#include "app/program.h"

namespace korvane {

void OnTrayEvent(Program& program, int action);
void OpenConfigWindow(Program& program);
void ShowAuthorBox(Program& program);
bool OnMainWindowClosing(Program& program);
void OnPreviewSliderMoved(Program& program);

} // namespace korvane
