#include "platform/host/memory_files.h"

#include <utility>

namespace korvane::platform {
namespace {

// Takes the hook out before running it, so a hook may arm the next one.
void RunOnce(MemoryFiles::Hook& hook, MemoryFiles& files) {
    if (!hook) return;
    MemoryFiles::Hook pending = std::move(hook);
    hook = nullptr;
    pending(files);
}

} // namespace

bool MemoryFiles::Exists(std::u16string_view name) {
    ++calls_.exists;
    return files_.find(name) != files_.end() || folders_.find(name) != folders_.end();
}

bool MemoryFiles::ReadAll(std::u16string_view name, std::string& bytes) {
    ++calls_.reads;
    RunOnce(beforeNextRead_, *this);
    const auto file = files_.find(name);
    if (file == files_.end() || unreadable_.count(name) != 0) return false;
    if (file->second.size() > kLargestReadableFile) return false;
    bytes = file->second;
    return true;
}

ReplaceResult MemoryFiles::ReplaceWhole(std::u16string_view name, std::string_view bytes) {
    ++calls_.writes;
    const std::u16string temporary = std::u16string(name) + u".tmp";
    ReplaceResult result = ReplaceResult::Failed;
    if (readOnly_.count(name) != 0) {
        result = ReplaceResult::ReadOnly;
    } else if (!failWrites_ && folders_.count(name) == 0 && folders_.count(temporary) == 0) {
        // The temporary file, a leftover one included, is moved over the file (not onto a folder).
        readOnly_.erase(temporary);
        Remove(temporary);
        files_.insert_or_assign(std::u16string(name), std::string(bytes));
        result = ReplaceResult::Replaced;
    }
    RunOnce(afterNextWrite_, *this);
    return result;
}

void MemoryFiles::Put(std::u16string_view name, std::string bytes) {
    files_.insert_or_assign(std::u16string(name), std::move(bytes));
}

void MemoryFiles::Remove(std::u16string_view name) {
    const auto file = files_.find(name);
    if (file != files_.end()) files_.erase(file);
}

std::optional<std::string> MemoryFiles::Content(std::u16string_view name) const {
    const auto file = files_.find(name);
    if (file == files_.end()) return std::nullopt;
    return file->second;
}

void MemoryFiles::MakeFolder(std::u16string_view name) {
    Remove(name);
    folders_.insert(std::u16string(name));
}

void MemoryFiles::MakeUnreadable(std::u16string_view name, bool unreadable) {
    if (unreadable) {
        unreadable_.insert(std::u16string(name));
    } else if (const auto entry = unreadable_.find(name); entry != unreadable_.end()) {
        unreadable_.erase(entry);
    }
}

} // namespace korvane::platform
