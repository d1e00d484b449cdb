#pragma once
// A whole program on the host doubles, wired as the process wires the real one, for the unit,
// reliability and fuzz tests: they raise window events and read what came out. The HTTP double is
// the parameter: the scripted one can fail any single WinINet step, the unit tests' one answers
// with the bodies a test queues.
#include "app/dispatcher.h"
#include "app/lifecycle.h"
#include "app/program.h"
#include "app/refresh.h"
#include "app/timer_cycle.h"
#include "platform/host/fake_dwm.h"
#include "platform/host/fake_os_info.h"
#include "platform/host/fake_process.h"
#include "platform/host/iconv_code_page.h"
#include "platform/host/memory_files.h"
#include "platform/host/memory_registry.h"
#include "platform/host/scripted_internet.h"
#include "ui/host/host_window_system.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace korvane::testing {

inline constexpr const char* kBeijingFile =
    "CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0";
// The live document's host: out of reach unless a test serves it, as where its name cannot be
// resolved.
inline constexpr const char* kLiveHost = "d1.weather.com.cn";

// Opening the converter once keeps the fuzz targets fast; converting keeps no state between calls.
inline platform::IconvCodePage& SharedCodePage() {
    static platform::IconvCodePage codePage;
    return codePage;
}

template <class Internet = platform::ScriptedInternet> struct HostProgram {
    HostProgram() {
        ui.SetEventSink(&dispatcher);
        internet.UnreachableServers.insert(kLiveHost);
    }
    HostProgram(const HostProgram&) = delete;
    HostProgram& operator=(const HostProgram&) = delete;

    // Start-up as the process runs it, up to the event loop; the exit code when it ended the
    // process.
    std::optional<int> Start() {
        return ExitCodeOf([this] { StartProgram(program); });
    }
    // An event as the user or the system raises it; the exit code when it ended the process.
    std::optional<int> Raise(ui::HandlerId handler, int argument = 0) {
        return ExitCodeOf([&] { ui.Raise(handler, argument); });
    }
    void Refresh() { RefreshWeather(program); }
    // Colours handed to the window manager, in order.
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
    Internet internet;
    Program program{
        Services{ui, files, process, dwm, os, registry, internet, SharedCodePage(), ui}};
    Dispatcher dispatcher{program};

  private:
    template <class Action> static std::optional<int> ExitCodeOf(Action action) {
        try {
            action();
        } catch (const ui::ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }
};

} // namespace korvane::testing
