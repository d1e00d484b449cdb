#include "platform/host/memory_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace korvane::platform {
namespace {

struct MemoryFilesCase {
    const char* what_it_shows;
    std::function<void(MemoryFiles&)> arrange; // before: "a" holds "old"
    bool expectedWrite;                        // ReplaceWhole(u"a", "new") replaced it
    bool expectedExists;                       // Exists(u"a") after the write
    bool expectedRead;                         // ReadAll(u"a") after that
    std::string expectedBytes;                 // what the read delivered ("-" untouched)
    std::optional<std::string> expectedContent;
};

TEST(MemoryFiles, BehavesLikeADiskWithTheFaultsATestArranges) {
    const MemoryFilesCase cases[] = {
        {"a write replaces the content", [](MemoryFiles&) {}, true, true, true, "new", "new"},
        {"a failing write keeps the old content whole", [](MemoryFiles& f) { f.FailWrites(); },
         false, true, true, "old", "old"},
        {"an unreadable file exists but cannot be read",
         [](MemoryFiles& f) { f.MakeUnreadable(u"a"); }, true, true, false, "-", "new"},
        {"a file made readable again reads",
         [](MemoryFiles& f) {
             f.MakeUnreadable(u"a");
             f.MakeUnreadable(u"a", false);
         },
         true, true, true, "new", "new"},
        {"the after-write hook runs between the write and the next call",
         [](MemoryFiles& f) { f.AfterNextWrite([](MemoryFiles& g) { g.Remove(u"a"); }); }, true,
         false, false, "-", std::nullopt},
        {"the before-read hook runs after Exists has answered",
         [](MemoryFiles& f) { f.BeforeNextRead([](MemoryFiles& g) { g.Put(u"a", "x"); }); }, true,
         true, true, "x", "x"},
        {"a missing file is created by a write", [](MemoryFiles& f) { f.Remove(u"a"); }, true, true,
         true, "new", "new"},
        {"a read-only file is left as it is", [](MemoryFiles& f) { f.MakeReadOnly(u"a"); }, false,
         true, true, "old", "old"},
        {"a read-only temporary file left over is overwritten",
         [](MemoryFiles& f) {
             f.Put(u"a.tmp", "left over");
             f.MakeReadOnly(u"a.tmp");
         },
         true, true, true, "new", "new"},
        {"names are told apart exactly", [](MemoryFiles& f) { f.MakeUnreadable(u"A"); }, true, true,
         true, "new", "new"},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        files.Put(u"a", "old");
        c.arrange(files);
        EXPECT_EQ(files.ReplaceWhole(u"a", "new") == ReplaceResult::Replaced, c.expectedWrite)
            << c.what_it_shows;
        EXPECT_EQ(files.Exists(u"a"), c.expectedExists) << c.what_it_shows;
        std::string bytes = "-";
        EXPECT_EQ(files.ReadAll(u"a", bytes), c.expectedRead) << c.what_it_shows;
        EXPECT_EQ(bytes, c.expectedBytes) << c.what_it_shows;
        EXPECT_EQ(files.Content(u"a"), c.expectedContent) << c.what_it_shows;
        EXPECT_EQ(files.Calls().writes, 1) << c.what_it_shows;
        EXPECT_EQ(files.Calls().exists, 1) << c.what_it_shows;
        EXPECT_EQ(files.Calls().reads, 1) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane::platform
