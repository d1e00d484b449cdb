#pragma once
// The version facts Windows reports (OSVERSIONINFOEXW plus the GetProductInfo type).
#include <cstdint>
#include <string>

namespace korvane::platform {

struct OsVersionRecord {
    std::uint32_t PlatformId = 0;
    std::int32_t MajorVersion = 0;
    std::int32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;
    std::string CsdVersion; // GBK, up to its first zero, at most 127 bytes of whole characters
    std::int16_t ServicePackMajor = 0;
    std::int16_t ServicePackMinor = 0;
    std::uint16_t SuiteMask = 0;
    std::uint8_t ProductType = 0;
    std::uint32_t ProductInfoType = 0; // asked only for family 2 with a major version above 5
};

// Whether the product-info type is asked for this record (family 2, major version above 5).
inline bool NeedsProductInfo(const OsVersionRecord& record) {
    return record.PlatformId == 2 && record.MajorVersion > 5;
}

class OsInfo {
  public:
    virtual ~OsInfo() = default;
    virtual OsVersionRecord Query() = 0;
};

} // namespace korvane::platform
