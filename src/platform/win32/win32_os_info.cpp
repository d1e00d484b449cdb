#include "platform/win32/gbk_seam.h"
#include "platform/win32/runtime_functions.h"
#include "platform/win32/win32_platform.h"
#include "text/gbk.h"

#include <windows.h>

#include <cwchar>

namespace korvane::platform {

namespace {

static_assert(sizeof(OSVERSIONINFOEXW) == 284);
constexpr std::size_t kLongestCsdVersion = 127; // bytes of GBK

// The service-pack text in GBK, cut to whole characters within its byte limit.
std::string CsdVersionText(const WCHAR* text, std::size_t capacity) {
    std::string gbk = GbkFromWide(std::wstring_view(text, wcsnlen(text, capacity)));
    gbk.resize(text::WholeCharactersWithin(gbk, kLongestCsdVersion).size());
    return gbk;
}

// A 16-bit field as the signed number it is treated as, widened to 32 bits with its sign.
DWORD WidenedWithSign(WORD value) {
    return static_cast<DWORD>(static_cast<std::int32_t>(static_cast<std::int16_t>(value)));
}

} // namespace

OsVersionRecord Win32OsInfo::Query() {
    OSVERSIONINFOEXW information{};
    information.dwOSVersionInfoSize = sizeof information;
    // When the call fails the zeros stay, and the family reads as 0.
    Declared<RuntimeFunction::GetVersionExW>()(&information);

    OsVersionRecord record;
    record.PlatformId = information.dwPlatformId;
    record.MajorVersion = static_cast<std::int32_t>(information.dwMajorVersion);
    record.MinorVersion = static_cast<std::int32_t>(information.dwMinorVersion);
    record.BuildNumber = information.dwBuildNumber;
    record.CsdVersion =
        CsdVersionText(information.szCSDVersion, std::size(information.szCSDVersion));
    record.ServicePackMajor = static_cast<std::int16_t>(information.wServicePackMajor);
    record.ServicePackMinor = static_cast<std::int16_t>(information.wServicePackMinor);
    record.SuiteMask = information.wSuiteMask;
    record.ProductType = information.wProductType;

    if (NeedsProductInfo(record)) {
        DWORD productType = 0;
        Declared<RuntimeFunction::GetProductInfo>()(
            information.dwMajorVersion, information.dwMinorVersion,
            WidenedWithSign(information.wServicePackMajor),
            WidenedWithSign(information.wServicePackMinor), &productType);
        record.ProductInfoType = productType;
    }
    return record;
}

} // namespace korvane::platform
