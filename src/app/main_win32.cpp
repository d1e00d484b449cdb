// Korvane.exe: the real platform and window system wired to the program.
#include "app/dispatcher.h"
#include "app/lifecycle.h"
#include "app/program.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/win32_window_system.h"

#include <windows.h>

#include <cstdlib>

// The default terminate handler prints a demangled type name, which links the whole demangler
// into the executable; a resident program has no console to print to.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace korvane;
    ui::Win32WindowSystem windows(instance);
    platform::Win32Files files;
    platform::Win32Process process;
    platform::Win32Dwm dwm;
    platform::Win32OsInfo os;
    platform::Win32Registry registry;
    platform::Win32Internet internet;
    platform::Win32CodePage codePage;
    platform::Win32Clock clock;

    Program program(
        Services{windows, files, process, dwm, os, registry, internet, codePage, clock});
    Dispatcher dispatcher(program);
    windows.SetEventSink(&dispatcher);
    const int code = RunProgram(program);
    windows.SetEventSink(nullptr);
    return code;
}
