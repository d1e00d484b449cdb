// A response body through DecodeResponse (GBK through iconv), ParseCurrentConditions and
// ApplyReading, on a whole program that started from a config.ini holding bounds taken from the
// input.
//
// Input: a flag byte, the minimum and the maximum (32-bit little-endian), the scale position
// already shown (a signed byte; -1 is "no colour yet"), then the body bytes.
//   flag 0x01: the maximum is made equal to the minimum
//   flag 0x02: the configuration window is shown
//   flag 0x04: the easter egg runs, so the reading must not touch the colour
//   flag 0x08: Opaque=1 instead of 0
#include "app/refresh.h"
#include "colour/ramp.h"
#include "common/host_program.h"
#include "config/settings.h"
#include "support/byte_reader.h"
#include "support/check.h"
#include "text/texts.h"
#include "ui/tray_tip.h"
#include "weather/current_conditions.h"
#include "weather/response_decoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace korvane::fuzz {
namespace {

using testing::HostProgram;

constexpr int kUntouchedTemperature = 0x5EED;
// Longer walks cost 50 virtual milliseconds each and teach nothing new.
constexpr std::int64_t kLongestWalk = 300;

// The scale position in exact integer arithmetic: the double quotient of the program never
// rounds across an integer for 32-bit operands, so both truncate to the same number.
std::int32_t ExactScalePosition(std::int64_t temperature, std::int64_t min, std::int64_t max) {
    if (max == min) return 0;
    const std::int64_t position = (temperature - min) * 100 / (max - min);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position));
}

std::string SlashesToBackslashes(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

bool IsAsciiWithoutNul(const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return c != '\0' && static_cast<unsigned char>(c) < 0x80; });
}

void CheckDecoding(const std::string& body, const std::string& text) {
    Require(text.find('\0') == std::string::npos, "decoded text holds no NUL");
    Require(text.size() <= body.size() + 1, "a group yields at most two bytes");
    if (IsAsciiWithoutNul(body))
        Require(text == SlashesToBackslashes(body), "ASCII decodes to itself, / to \\");
}

void CheckColourRecords(const std::vector<platform::ColorizationParameters>& records, int start,
                        int target, int opaque) {
    // A walk stays within a margin around the ramp; beyond it every position shows the end
    // colour, so a start and a target far beyond the same end give the end colour once.
    const bool direct = start == kNoColourYet || start == target;
    const int from = direct ? target : std::clamp(start, kWalkFloor, kWalkCeiling);
    const int to = std::clamp(target, kWalkFloor, kWalkCeiling);
    const bool once = direct || from == to;
    const std::int64_t steps = once ? 1 : std::abs(std::int64_t{to} - from);
    Require(static_cast<std::int64_t>(records.size()) == steps, "one record per step");
    for (std::size_t k = 0; k < records.size(); ++k) {
        const int step =
            direct ? target
            : once ? to
                   : (to > from ? from + 1 + static_cast<int>(k) : from - 1 - static_cast<int>(k));
        const platform::ColorizationParameters& record = records[k];
        Require(record.Colour == CompositionColour(step), "each step shows its own colour");
        Require(record.Colour == CompositionColour(std::clamp(step, 0, 100)),
                "the ramp clamps positions outside 0 to 100");
        Require(record.Colour >> 24 == 0x60, "the alpha byte is 0x60");
        Require(record.AfterglowColour == record.Colour, "afterglow copies the colour");
        Require(record.OpaqueBlend == opaque, "the record carries Opaque");
    }
}

} // namespace
} // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    using namespace korvane::fuzz;

    ByteReader input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::int32_t min = input.Int32();
    const std::int32_t max = (flags & 0x01) ? min : input.Int32();
    const int shown = static_cast<std::int8_t>(input.Byte());
    const std::string body = input.Rest();
    const bool configShown = flags & 0x02;
    const bool egg = flags & 0x04;
    const int opaque = (flags & 0x08) ? 1 : 0;

    const std::string text = DecodeResponse(testing::SharedCodePage(), body);
    CheckDecoding(body, text);
    const std::optional<Reading> reading = ParseCurrentConditions(text);
    Require(!reading || text.find(R"("temp":")") != std::string::npos,
            "a reading needs the quoted key \"temp\":\"");

    // The program as start-up leaves it: Settings read from config.ini, the refresh cycle armed.
    HostProgram<> host;
    host.files.Put(kConfigFileName, SettingsFileText("101010100", std::to_string(max),
                                                     std::to_string(min), std::to_string(opaque)));
    Program& program = host.program;
    Require(LoadSettings(host.files, program.settings), "the file names a city");
    Require(program.settings.MinTemperature == min && program.settings.MaxTemperature == max,
            "the bounds read back as written");
    StartRefreshCycle(program);
    if (configShown) {
        // A reading looks only at whether the window is shown: it is loaded without its created
        // event, whose filling of the city list would take most of the run's time.
        host.ui.SetEventSink(nullptr);
        host.ui.LoadWindow(ui::WindowId::Config);
        host.ui.SetVisible(ui::WindowId::Config, true);
        host.ui.SetEventSink(&host.dispatcher);
    }
    program.colour.EasterEggMode = egg ? EggMode::On : EggMode::Off;
    program.weather.CurrentTemperature = kUntouchedTemperature;

    // Only a short walk is set up in front of the reading.
    const std::int32_t guess = reading ? ExactScalePosition(reading->Temperature, min, max) : 0;
    const int start = std::abs(std::int64_t{guess} - shown) <= kLongestWalk ? shown : kNoColourYet;
    program.colour.CurrentScalePosition = start;
    const int periodBefore = host.ui.TimerPeriod();
    const std::size_t trayBefore = host.ui.trayHistory().size();

    ApplyReading(program, reading);

    const WeatherState& state = program.weather;
    Require(host.ui.TimerPeriod() == periodBefore, "the timer period is restored");
    if (!reading) {
        Require(state.StatusText == texts::kWaitingForNetwork, "no reading, waiting");
        Require(state.CurrentTemperature == kUntouchedTemperature, "no reading, no temperature");
        Require(host.dwm.records.empty(), "no reading, no colour");
        Require(program.colour.CurrentScalePosition == start, "no reading, no position");
        Require(host.ui.trayHistory().size() == trayBefore, "no reading, no tray tip");
        return 0;
    }
    Require(state.CurrentTemperature == reading->Temperature, "the temperature is the reading's");
    Require(state.StatusText == "\xB5\xB1\xC7\xB0 " + std::to_string(reading->Temperature) +
                                    "\xA1\xE6 " + reading->WindDirection + reading->WindForce +
                                    "\r\n",
            "status: 当前 t℃ , the wind, CR LF");

    if (egg) {
        Require(host.dwm.records.empty(), "the easter egg ignores readings");
        Require(program.colour.CurrentScalePosition == start, "the egg keeps its position");
    } else {
        const std::int32_t target = ExactScalePosition(state.CurrentTemperature, min, max);
        Require(program.colour.CurrentScalePosition == target, "the position is (t-min)*100/span");
        CheckColourRecords(host.dwm.records, start, target, opaque);
    }

    if (configShown) {
        Require(host.ui.trayHistory().size() == trayBefore, "an open window keeps the tip");
    } else {
        Require(host.ui.trayTip() == ui::TrayTipText(state.StatusText), "the tip is the status");
    }
    return 0;
}
