#include "platform/host/posix_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korvane::platform {
namespace {

// The UTF-8 name the system takes. A name with an embedded zero or a lone surrogate cannot be
// passed to the system; it names no file.
std::optional<std::string> SystemName(std::u16string_view name) {
    if (name.empty() || name.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (low || (high && (i + 1 == name.size() || name[i + 1] < 0xDC00 || name[i + 1] > 0xDFFF)))
            return std::nullopt;
        if (high) ++i;
    }
    const std::u8string utf8 = std::filesystem::path(name).u8string();
    return std::string(utf8.begin(), utf8.end());
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, reporting failure (a close can be where a delayed write error shows).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteEverything(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here does not undo the replacement.
void SyncDirectory(const std::string& directory) {
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

} // namespace

bool PosixFiles::Exists(std::u16string_view name) {
    const auto path = SystemName(name);
    if (!path) return false;
    struct stat info {};
    return ::stat(path->c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PosixFiles::ReadAll(std::u16string_view name, std::string& bytes) {
    const auto path = SystemName(name);
    if (!path) return false;
    Descriptor file(::open(path->c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return false;
    std::string content;
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        content.append(chunk.data(), static_cast<std::size_t>(got));
    }
    bytes = std::move(content);
    return true;
}

ReplaceResult PosixFiles::ReplaceWhole(std::u16string_view name, std::string_view bytes) {
    const auto path = SystemName(name);
    if (!path) return ReplaceResult::Failed;
    const std::string& target = *path;
    struct stat old {};
    const bool targetExists = ::stat(target.c_str(), &old) == 0;
    if (targetExists && S_ISREG(old.st_mode) && (old.st_mode & 0222) == 0)
        return ReplaceResult::ReadOnly;
    std::string temporary = target + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (!file.valid()) return ReplaceResult::Failed;
    // mkstemp makes the file private; a replaced file keeps the permissions it had.
    ::fchmod(file.get(), targetExists ? old.st_mode & 07777 : 0644);

    const bool written = WriteEverything(file.get(), bytes) && ::fsync(file.get()) == 0;
    const bool closed = file.Close();
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return ReplaceResult::Failed;
    }
    SyncDirectory(DirectoryOf(target));
    return ReplaceResult::Replaced;
}

} // namespace korvane::platform
