#pragma once
// The platform interfaces as Windows provides them.
// <windows.h> first: the interfaces undo the macros that would rename their members.
#include <windows.h>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dwm.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/os_version.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace korvane::platform {

class Win32Files : public Files {
  public:
    Win32Files() = default;
    bool Exists(std::u16string_view name) override;
    bool ReadAll(std::u16string_view name, std::string& bytes) override;
    ReplaceResult ReplaceWhole(std::u16string_view name, std::string_view bytes) override;
};

class Win32Process : public Process {
  public:
    Win32Process() = default;
    std::u16string ExecutablePath() override;
    bool ChangeDirectory(std::u16string_view directory) override;
};

class Win32Clock : public Clock {
  public:
    Win32Clock() = default;
    std::uint32_t TickCount() override;
    std::uint64_t MillisecondsSince1970() override;
};

class Win32Dwm : public Dwm {
  public:
    Win32Dwm() = default;
    bool IsCompositionEnabled() override;
    void ApplyColorization(const ColorizationParameters& parameters) override;
    std::optional<ColorizationParameters> ColorizationInForce() override;
};

class Win32OsInfo : public OsInfo {
  public:
    Win32OsInfo() = default;
    OsVersionRecord Query() override;
};

class Win32CodePage : public CodePage {
  public:
    Win32CodePage() = default;
    int WideToGbk(std::uint16_t unit, char* out, int outSize) override;
};

class Win32Registry : public Registry {
  public:
    Win32Registry() = default;
    std::optional<std::u16string> ReadText(Hive hive, std::u16string_view key,
                                           std::u16string_view name) override;
    bool WriteText(Hive hive, std::u16string_view key, std::u16string_view name,
                   std::u16string_view data) override;
    bool DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name) override;
    bool DeleteKey(Hive hive, std::u16string_view key, std::u16string_view subkey) override;
};

class Win32Internet : public Internet {
  public:
    Win32Internet() = default;
    bool CrackUrl(std::string_view url, UrlParts& parts) override;
    InternetHandle Open(std::string_view agent, std::uint32_t accessType) override;
    bool SetNumberOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) override;
    bool SetProxyOption(InternetHandle handle, std::uint32_t accessType) override;
    bool SetTextOption(InternetHandle handle, std::uint32_t option, std::string_view text) override;
    InternetHandle Connect(InternetHandle session, std::string_view server, std::uint16_t port,
                           std::string_view userName, std::string_view password) override;
    InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                               std::string_view objectPath, std::string_view version,
                               std::string_view acceptType, std::uint32_t flags) override;
    bool SendRequest(InternetHandle request, std::string_view headers) override;
    bool QueryContentLength(InternetHandle request, std::string& text) override;
    bool Read(InternetHandle request, char* buffer, std::uint32_t size,
              std::uint32_t& read) override;
    bool Close(InternetHandle handle) override;
};

} // namespace korvane::platform
