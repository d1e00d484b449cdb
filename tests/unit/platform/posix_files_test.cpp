#include "platform/host/posix_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace korvane::platform {
namespace {

namespace fs = std::filesystem;

class TemporaryDirectory {
  public:
    TemporaryDirectory() {
        std::string pattern = (fs::temp_directory_path() / "korvane-files-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

  private:
    fs::path path_;
};

std::optional<std::string> ContentOf(const fs::path& path) {
    if (!fs::is_regular_file(path)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct PosixFilesCase {
    const char* what_it_shows;
    std::function<void(const fs::path& dir)> arrange;
    std::string name; // relative to the directory
    std::string bytes;
    ReplaceResult expectedWrite;
    bool expectedRead; // ReadAll of the same name afterwards
    std::optional<std::string> expectedContent;
    std::size_t expectedEntries; // no temporary file is ever left behind
};

constexpr auto kReplaced = ReplaceResult::Replaced;
constexpr auto kFailed = ReplaceResult::Failed;

const std::string kBinary("\0\xFF\r\n\x1A"
                          "end",
                          8);

TEST(PosixFiles, ReplacesAFileWholeOrLeavesTheOldOneAndNoLitter) {
    const PosixFilesCase cases[] = {
        {"a new file is created", [](const fs::path&) {}, "config.ini", "CityId=1", kReplaced, true,
         "CityId=1", 1},
        {"an existing longer file is replaced, not overwritten in part",
         [](const fs::path& d) { Write(d / "config.ini", "a much longer old content"); },
         "config.ini", "new", kReplaced, true, "new", 1},
        {"an empty write leaves an empty file",
         [](const fs::path& d) { Write(d / "config.ini", "old"); }, "config.ini", "", kReplaced,
         true, "", 1},
        {"binary bytes pass unchanged", [](const fs::path&) {}, "config.ini", kBinary, kReplaced,
         true, kBinary, 1},
        {"a name outside every code page", [](const fs::path&) {}, "Zoë 天气 ☀.ini", "x", kReplaced,
         true, "x", 1},
        {"a file in a missing directory is not written", [](const fs::path&) {}, "none/config.ini",
         "x", kFailed, false, std::nullopt, 0},
        {"a read-only file is left as it is",
         [](const fs::path& d) {
             Write(d / "config.ini", "old");
             fs::permissions(d / "config.ini", fs::perms::all ^ fs::perms::owner_write ^
                                                   fs::perms::group_write ^
                                                   fs::perms::others_write);
         },
         "config.ini", "new", ReplaceResult::ReadOnly, true, "old", 1},
        {"a directory in the way stays and nothing is left behind",
         [](const fs::path& d) { fs::create_directory(d / "config.ini"); }, "config.ini", "x",
         kFailed, false, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        TemporaryDirectory dir;
        c.arrange(dir.path());
        PosixFiles files;
        const fs::path path = dir.path() / c.name;
        const std::u16string name = path.u16string();
        EXPECT_EQ(files.ReplaceWhole(name, c.bytes), c.expectedWrite) << c.what_it_shows;
        std::string read = "-";
        EXPECT_EQ(files.ReadAll(name, read), c.expectedRead) << c.what_it_shows;
        EXPECT_EQ(files.Exists(name), c.expectedContent.has_value()) << c.what_it_shows;
        EXPECT_EQ(read, c.expectedContent.value_or("-")) << c.what_it_shows;
        EXPECT_EQ(ContentOf(path), c.expectedContent) << c.what_it_shows;
        EXPECT_EQ(dir.EntryCount(), c.expectedEntries) << c.what_it_shows;
    }
}

struct BadNameCase {
    const char* what_it_shows;
    std::u16string name;
};

TEST(PosixFiles, AnswersFalseForNamesThatCannotNameAFile) {
    const BadNameCase cases[] = {
        {"the empty name", u""},
        {"a name with a zero byte", std::u16string(u"config\0.ini", 11)},
        {"a name with a lone surrogate", u"config\xD800.ini"},
        {"a missing file", u"/nonexistent-korvane-dir/config.ini"},
    };
    for (const auto& c : cases) {
        PosixFiles files;
        std::string bytes = "untouched";
        EXPECT_FALSE(files.Exists(c.name)) << c.what_it_shows;
        EXPECT_FALSE(files.ReadAll(c.name, bytes)) << c.what_it_shows;
        EXPECT_EQ(bytes, "untouched") << c.what_it_shows;
        EXPECT_EQ(files.ReplaceWhole(c.name, "x"), kFailed) << c.what_it_shows;
    }
}

} // namespace
} // namespace korvane::platform
