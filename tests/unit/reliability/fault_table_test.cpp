// Faults of config.ini and of the registry, each with the outcome the program must reach and a
// check that nothing is lost: the file keeps its bytes, Settings holds what the file says, and the
// program goes on running (a tick still fetches, a Save still works).
#include "config/autostart.h"
#include "config/settings.h"
#include "support/gbk.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korvane::testing {
namespace {

using ui::HandlerId;
using ui::UnitId;
using ui::WindowId;

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;
constexpr std::size_t kHundredKilobytes = 100 * 1024;

// A literal with NUL bytes inside, all of it.
template <std::size_t N> std::string WithNuls(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// Every byte value from 1 to 255, `times` over: binary content without a terminating NUL.
std::string BinaryWithoutNul(int times) {
    std::string bytes;
    for (int round = 0; round < times; ++round)
        for (int value = 1; value < 256; ++value)
            bytes.push_back(static_cast<char>(value));
    return bytes;
}

void ExpectSettings(const Settings& actual, const Settings& expected) {
    EXPECT_EQ(actual.CityId.size(), expected.CityId.size());
    EXPECT_TRUE(actual.CityId == expected.CityId);
    EXPECT_EQ(actual.MaxTemperature, expected.MaxTemperature);
    EXPECT_EQ(actual.MinTemperature, expected.MinTemperature);
    EXPECT_EQ(actual.Opaque, expected.Opaque);
}

// A tick of the refresh cycle fetches the configured station and reads the reply.
void ExpectATickStillFetches(HostProgram<>& p) {
    p.internet.BodyPieces.push_back(Reading("9"));
    const std::size_t requestsBefore = p.internet.CallsNamed("OpenRequest").size();
    p.ui.Advance(1000);
    const auto requests = p.internet.CallsNamed("OpenRequest");
    ASSERT_EQ(requests.size(), requestsBefore + 1);
    EXPECT_TRUE(requests.back().Texts.at(1) == "/data/sk/" + p.program.settings.CityId + ".html");
    EXPECT_EQ(p.program.weather.CurrentTemperature, 9);
    EXPECT_EQ(p.program.weather.StatusText, Gbk("当前 9℃ 东南风2级") + "\r\n");
}

struct FoundAtStart {
    const char* fault;
    std::string bytes;
    bool unreadable;
    bool registryRefuses;
    bool configured;
    Settings expected;
    bool folder = false; // a folder named config.ini, not a file
};

TEST(FaultTable, AConfigIniFoundAtStartIsReadWithoutLosingItsBytesAndTheProgramRuns) {
    const std::string beijing = kBeijingFile;
    const FoundAtStart rows[] = {
        {"a file of 0 bytes is a first use", "", false, false, false, {"", 0, 0, 0}},
        {"an unreadable file counts as empty", beijing, true, false, false, {"", 0, 0, 0}},
        {"10 MB in front of the keys are searched through",
         std::string(kTenMegabytes, 'x') + "\r\n" + beijing,
         false,
         false,
         true,
         {"101010100", 30, 0, 0}},
        {"binary bytes hold no key", BinaryWithoutNul(64), false, false, false, {"", 0, 0, 0}},
        {"the keys after a NUL are not read",
         WithNuls("CityId=101010100\r\nMaxTemperature=30\r\n\0MinTemperature=5\r\nOpaque=1"),
         false,
         false,
         true,
         {"101010100", 30, 0, 0}},
        {"of repeated keys the first wins",
         beijing + "\r\nCityId=101020100\r\nMaxTemperature=40\r\nMinTemperature=-5\r\nOpaque=1",
         false,
         false,
         true,
         {"101010100", 30, 0, 0}},
        {"a CityId of 100 KB is kept whole",
         "CityId=" + std::string(kHundredKilobytes, '1') +
             "\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0",
         false,
         false,
         true,
         {std::string(kHundredKilobytes, '1'), 30, 0, 0}},
        {"equal bounds from a hand-edited file are read as they are",
         "CityId=101010100\r\nMaxTemperature=20\r\nMinTemperature=20\r\nOpaque=1",
         false,
         false,
         true,
         {"101010100", 20, 20, 1}},
        {"a registry refusing every call at window creation leaves autostart unticked",
         beijing,
         false,
         true,
         true,
         {"101010100", 30, 0, 0}},
        {"a file beyond the 64 MiB read limit counts as empty",
         std::string(platform::MemoryFiles::kLargestReadableFile, 'x') + "\r\n" + beijing,
         false,
         false,
         false,
         {"", 0, 0, 0}},
        {"a folder named config.ini is a first use, and a Save says it cannot write there",
         "",
         false,
         false,
         false,
         {"", 0, 0, 0},
         true},
    };
    for (const FoundAtStart& row : rows) {
        SCOPED_TRACE(row.fault);
        HostProgram<> p;
        p.files.Put(kConfigFileName, row.bytes);
        p.files.MakeUnreadable(kConfigFileName, row.unreadable);
        if (row.folder) p.files.MakeFolder(kConfigFileName);
        p.registry.WriteText(platform::Hive::LocalMachine, kRunKey, kAutostartValueName, u"x");
        p.registry.refuseEverything = row.registryRefuses;

        ASSERT_EQ(p.Start(), std::nullopt);
        EXPECT_TRUE(p.files.Content(kConfigFileName) ==
                    (row.folder ? std::nullopt : std::optional(row.bytes)));
        ExpectSettings(p.program.settings, row.expected);
        EXPECT_EQ(p.ui.IsChecked(UnitId::Check2), !row.registryRefuses);

        if (row.configured) {
            EXPECT_TRUE(p.ui.trayShown());
            EXPECT_FALSE(p.ui.IsVisible(WindowId::Config));
            ExpectATickStillFetches(p);
        } else {
            EXPECT_TRUE(p.ui.IsVisible(WindowId::Config));
            EXPECT_EQ(p.ui.TimerPeriod(), 0);
            // The user can still configure the program: Save writes a fresh file.
            p.files.MakeUnreadable(kConfigFileName, false);
            p.ui.UserTypes(Gbk("北京"), 'A');
            p.ui.Raise(HandlerId::OnSaveClicked);
            EXPECT_EQ(p.program.settings.CityId, row.folder ? "" : "101010100");
            EXPECT_EQ(p.ui.IsVisible(WindowId::Config), row.folder);
            if (!row.folder) ExpectATickStillFetches(p);
        }
    }
}

enum class SaveFault { None, Unwritable, VanishesBeforeReload, RegistryRefuses, NoUserRunKey };

struct AtSave {
    const char* fault;
    SaveFault kind;
    std::optional<std::string> fileAfter;
    Settings expected;
    bool autostartAfter;
};

// The user picks 上海, types -5 and 35, unticks glass and ticks autostart, then saves.
TEST(FaultTable, ASaveThatCannotWriteOrReloadKeepsWhatTheFileSaysAndTheProgramRuns) {
    const std::string saved = SettingsFileText("101020100", "35", "-5", "1");
    const AtSave rows[] = {
        {"without a fault the file and Settings take the new values",
         SaveFault::None,
         saved,
         {"101020100", 35, -5, 1},
         true},
        {"an unwritable file keeps its old bytes, and nothing is applied",
         SaveFault::Unwritable,
         kBeijingFile,
         {"101010100", 30, 0, 0},
         false},
        {"a file removed between write and reload leaves Settings with the picked city",
         SaveFault::VanishesBeforeReload,
         std::nullopt,
         {"101020100", 30, 0, 0},
         true},
        {"a registry refusing every call still lets the file be written and reloaded",
         SaveFault::RegistryRefuses,
         saved,
         {"101020100", 35, -5, 1},
         false},
        {"a standard user without a Run key of their own: no autostart, nothing created",
         SaveFault::NoUserRunKey,
         saved,
         {"101020100", 35, -5, 1},
         false},
    };
    for (const AtSave& row : rows) {
        SCOPED_TRACE(row.fault);
        HostProgram<> p;
        p.files.Put(kConfigFileName, kBeijingFile);
        p.files.Put(p.process.executablePath, "MZ");
        ASSERT_EQ(p.Start(), std::nullopt);
        p.ui.Raise(HandlerId::OpenConfigWindow);
        p.ui.UserTypes(Gbk("上海"), 'A');
        p.ui.SetUnitText(UnitId::Edit1, "-5");
        p.ui.SetUnitText(UnitId::Edit2, "35");
        p.ui.SetChecked(UnitId::Check1, false);
        p.ui.SetChecked(UnitId::Check2, true);
        p.files.FailWrites(row.kind == SaveFault::Unwritable);
        if (row.kind == SaveFault::VanishesBeforeReload)
            p.files.AfterNextWrite(
                [](platform::MemoryFiles& files) { files.Remove(kConfigFileName); });
        p.registry.refuseEverything = row.kind == SaveFault::RegistryRefuses;
        if (row.kind == SaveFault::NoUserRunKey) {
            p.registry.refuseWrites.insert(platform::Hive::LocalMachine);
            p.registry.RemoveKey(platform::Hive::CurrentUser, kRunKey);
        }

        p.ui.Raise(HandlerId::OnSaveClicked);

        // Registry failures are silent; a file that cannot be written is said, the window stays.
        const bool unwritable = row.kind == SaveFault::Unwritable;
        EXPECT_EQ(p.ui.boxes().size(), unwritable ? 1u : 0u);
        EXPECT_EQ(p.files.Content(kConfigFileName), row.fileAfter);
        ExpectSettings(p.program.settings, row.expected);
        EXPECT_EQ(p.ui.IsVisible(WindowId::Config), unwritable);
        EXPECT_TRUE(p.ui.trayShown());
        p.registry.refuseEverything = false;
        EXPECT_EQ(IsAutostartRegistered(p.registry), row.autostartAfter);
        EXPECT_EQ(p.registry.HasKey(platform::Hive::CurrentUser, kRunKey),
                  row.kind != SaveFault::NoUserRunKey);
        ExpectATickStillFetches(p);
    }
}

} // namespace
} // namespace korvane::testing
