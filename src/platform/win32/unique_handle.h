#pragma once
// Owners that close a Windows handle when they go out of scope.
#include <windows.h>

#include <utility>

namespace korvane::platform {

// A kernel object handle; INVALID_HANDLE_VALUE (what CreateFileW answers on failure) is none.
class UniqueFile {
  public:
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() { Close(); }

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Closes now, so that the file can be moved; false when closing failed.
    bool Close() {
        if (!Valid()) return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

  private:
    HANDLE handle_;
};

class UniqueRegistryKey {
  public:
    UniqueRegistryKey() = default;
    UniqueRegistryKey(const UniqueRegistryKey&) = delete;
    UniqueRegistryKey& operator=(const UniqueRegistryKey&) = delete;
    ~UniqueRegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }

    HKEY Get() const { return key_; }
    HKEY* Receive() { return &key_; } // for the functions that open a key

  private:
    HKEY key_ = nullptr;
};

} // namespace korvane::platform
