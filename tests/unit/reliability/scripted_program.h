#pragma once
// A whole program on the host doubles whose HTTP client is the scripted one, so that a test can
// make any single WinINet step fail. One instance per table row keeps the rows independent.
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
#include "weather/refresh.h"

#include <optional>
#include <string>
#include <vector>

namespace korvane::testing {

struct ScriptedProgram {
    ScriptedProgram() { ui.SetEventSink(&dispatcher); }
    ScriptedProgram(const ScriptedProgram&) = delete;
    ScriptedProgram& operator=(const ScriptedProgram&) = delete;

    // Start-up as the process runs it; the exit code when start-up ended the process.
    std::optional<int> Start() {
        try {
            StartProgram(program);
        } catch (const ui::ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }
    void Refresh() {
        RefreshContext refresh = program.Refresh();
        RefreshWeather(refresh);
    }
    std::vector<std::uint32_t> Colours() const {
        std::vector<std::uint32_t> colours;
        for (const auto& record : dwm.records)
            colours.push_back(record.Colour);
        return colours;
    }

    ui::HostWindowSystem ui;
    platform::MemoryFiles files;
    platform::FakeProcess process;
    platform::FakeDwm dwm;
    platform::FakeOsInfo os;
    platform::MemoryRegistry registry;
    platform::ScriptedInternet internet;
    platform::IconvCodePage codePage;
    Program program{Services{ui, files, process, dwm, os, registry, internet, codePage}};
    Dispatcher dispatcher{program};
};

} // namespace korvane::testing
