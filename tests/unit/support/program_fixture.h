#pragma once
// A whole program on the host doubles: the tests raise window events and read what came out.
#include "app/dispatcher.h"
#include "app/lifecycle.h"
#include "app/program.h"
#include "platform/host/fake_dwm.h"
#include "platform/host/fake_os_info.h"
#include "platform/host/fake_process.h"
#include "platform/host/iconv_code_page.h"
#include "platform/host/memory_files.h"
#include "platform/host/memory_registry.h"
#include "support/reply_internet.h"
#include "ui/host/host_window_system.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::testing {

inline constexpr const char* kBeijingFile =
    "CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0";

// A reading as the weather service sends it (UTF-8).
inline std::string Reading(std::string_view temperature) {
    return std::string(R"({"weatherinfo":{"city":"北京","cityid":"101010100","temp":")") +
           std::string(temperature) + R"(","WD":"东南风","WS":"2级","time":"10:25"}})";
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() { ui.SetEventSink(&dispatcher); }

    // Starts the program as the process would, up to the event loop; answers the exit code the
    // start-up ended the process with, if it did.
    std::optional<int> Start() {
        try {
            StartProgram(program);
        } catch (const ui::ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }
    void StartConfigured(const char* file = kBeijingFile) {
        files.Put(u"config.ini", file);
        ASSERT_FALSE(Start().has_value());
    }
    std::optional<int> Raise(ui::HandlerId handler, int argument = 0) {
        try {
            ui.Raise(handler, argument);
        } catch (const ui::ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }
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
    ReplyInternet internet;
    platform::IconvCodePage codePage;
    Program program{Services{ui, files, process, dwm, os, registry, internet, codePage}};
    Dispatcher dispatcher{program};
};

} // namespace korvane::testing
