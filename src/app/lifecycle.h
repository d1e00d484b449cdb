#pragma once
// Start-up, the first-use dialogue and the end of the program.
#include "app/program.h"

namespace korvane {

// Process start: the executable's folder becomes the current directory, the single-instance
// check, the hidden main window (whose created event runs the start-up). False for a second
// instance, which has handed over to the first.
bool StartProgram(Program& program);
// StartProgram, then the event loop; answers the exit code.
int RunProgram(Program& program);

void OnMainWindowCreated(Program& program);
void StartOrWelcome(Program& program);
void StartRefreshCycle(Program& program);
// 退出 and the end of the log-on session: EndProgram with exit code 0.
void ExitProgram(Program& program);
// The one way out after start-up (退出, a close request to the main window, the end of the log-on
// session, the end of the event loop): the icon, the configuration window and the HTTP sessions
// go, the user's own colours come back, and the process ends. Never waits for a fetch.
void EndProgram(Program& program, int exitCode);
void ReleaseProgramTexts(Program& program);

// The start-up check of the system's name: any of "Windows 7", "windows 8", "vista", "NT 6",
// letter case ignored.
bool IsSupportedSystemName(std::string_view name);

} // namespace korvane
