#pragma once
// A whole program on the host doubles, as the unit tests build it, for the fuzz targets.
#include "app/dispatcher.h"
#include "app/lifecycle.h"
#include "app/program.h"
#include "platform/host/fake_dwm.h"
#include "platform/host/fake_os_info.h"
#include "platform/host/fake_process.h"
#include "platform/host/iconv_code_page.h"
#include "platform/host/memory_files.h"
#include "platform/host/memory_registry.h"
#include "platform/host/scripted_internet.h"
#include "ui/host/host_window_system.h"

namespace korvane::fuzz {

// Opening the converter once keeps every run fast; converting keeps no state between calls.
inline platform::IconvCodePage& SharedCodePage() {
    static platform::IconvCodePage codePage;
    return codePage;
}

struct HostProgram {
    HostProgram() { ui.SetEventSink(&dispatcher); }
    HostProgram(const HostProgram&) = delete;
    HostProgram& operator=(const HostProgram&) = delete;

    // Runs start-up as the process would; false when it ended the process.
    bool Start() {
        try {
            StartProgram(program);
        } catch (const ui::ProcessEnded&) {
            return false;
        }
        return true;
    }

    ui::HostWindowSystem ui;
    platform::MemoryFiles files;
    platform::FakeProcess process;
    platform::FakeDwm dwm;
    platform::FakeOsInfo os;
    platform::MemoryRegistry registry;
    platform::ScriptedInternet internet;
    Program program{Services{ui, files, process, dwm, os, registry, internet, SharedCodePage()}};
    Dispatcher dispatcher{program};
};

} // namespace korvane::fuzz
