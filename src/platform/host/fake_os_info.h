#pragma once
// Answers the version record the test sets; Windows 7 Ultimate by default.
#include "platform/os_version.h"

namespace korvane::platform {

class FakeOsInfo final : public OsInfo {
  public:
    FakeOsInfo() {
        record.PlatformId = 2;
        record.MajorVersion = 6;
        record.MinorVersion = 1;
        record.BuildNumber = 7601;
        record.CsdVersion = "Service Pack 1";
        record.ServicePackMajor = 1;
        record.ProductType = 1;
        record.ProductInfoType = 1;
    }
    OsVersionRecord Query() override { return record; }

    OsVersionRecord record;
};

} // namespace korvane::platform
