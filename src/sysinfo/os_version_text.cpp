#include "sysinfo/os_version_text.h"

#include "config/text_search.h"

#include <string_view>

namespace korvane {
namespace {

using platform::OsVersionRecord;

constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;

// "（内部版本号，请使用本程序最新版本以获得准确数据）": a newer system than this list knows.
constexpr std::string_view kInternalBuildNote =
    "\xA3\xA8\xC4\xDA\xB2\xBF\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xAC\xC7\xEB\xCA\xB9\xD3\xC3\xB1\xBE\xB3"
    "\xCC\xD0\xF2\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE\xD2\xD4\xBB\xF1\xB5\xC3\xD7\xBC\xC8\xB7\xCA\xFD"
    "\xBE\xDD\xA3\xA9";
// "版本未知，请使用本程序最新版本以获得准确数据"
constexpr std::string_view kUnknownVersion =
    "\xB0\xE6\xB1\xBE\xCE\xB4\xD6\xAA\xA3\xAC\xC7\xEB\xCA\xB9\xD3\xC3\xB1\xBE\xB3\xCC\xD0\xF2\xD7"
    "\xEE\xD0\xC2\xB0\xE6\xB1\xBE\xD2\xD4\xBB\xF1\xB5\xC3\xD7\xBC\xC8\xB7\xCA\xFD\xBE\xDD";

constexpr std::string_view kProfessional = " \xD7\xA8\xD2\xB5\xB0\xE6"; // " 专业版"
constexpr std::string_view kEnterprise = " \xC6\xF3\xD2\xB5\xB0\xE6";   // " 企业版"
constexpr std::string_view kStandard = " \xB1\xEA\xD7\xBC\xB0\xE6";     // " 标准版"
constexpr std::string_view kDatacenter =
    " \xCA\xFD\xBE\xDD\xD6\xD0\xD0\xC4\xB0\xE6"; // " 数据中心版"
constexpr std::string_view kWebServer = " Web\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"; // " Web服务器版"
constexpr std::string_view kSmallBusiness =
    " \xD6\xD0\xD0\xA1\xD0\xCD\xC6\xF3\xD2\xB5\xB0\xE6"; // " 中小型企业版"

struct ProductEdition {
    std::uint32_t type;
    std::string_view word;
};

// GetProductInfo types and their edition words.
constexpr ProductEdition kProductEditions[] = {
    {1, " \xC6\xEC\xBD\xA2\xB0\xE6"}, // " 旗舰版"
    {28, " \xC6\xEC\xBD\xA2\xB0\xE6"},
    {71, " \xC6\xEC\xBD\xA2\xB0\xE6"},
    {2, " \xBC\xD2\xCD\xA5\xBB\xF9\xB4\xA1\xB0\xE6"}, // " 家庭基础版"
    {5, " \xBC\xD2\xCD\xA5\xBB\xF9\xB4\xA1\xB0\xE6"},
    {67, " \xBC\xD2\xCD\xA5\xBB\xF9\xB4\xA1\xB0\xE6"},
    {3, " \xBC\xD2\xCD\xA5\xB8\xDF\xBC\xB6\xB0\xE6"}, // " 家庭高级版"
    {26, " \xBC\xD2\xCD\xA5\xB8\xDF\xBC\xB6\xB0\xE6"},
    {68, " \xBC\xD2\xCD\xA5\xB8\xDF\xBC\xB6\xB0\xE6"},
    {4, kEnterprise},
    {10, kEnterprise},
    {14, kEnterprise},
    {15, kEnterprise},
    {27, kEnterprise},
    {38, kEnterprise},
    {41, kEnterprise},
    {70, kEnterprise},
    {6, " \xC9\xCC\xD2\xB5\xB0\xE6"}, // " 商业版"
    {16, " \xC9\xCC\xD2\xB5\xB0\xE6"},
    {7, kStandard},
    {13, kStandard},
    {36, kStandard},
    {40, kStandard},
    {8, kDatacenter},
    {12, kDatacenter},
    {37, kDatacenter},
    {39, kDatacenter},
    {9, kSmallBusiness},
    {11, " \xBC\xF2\xD2\xD7\xB0\xE6"}, // " 简易版"
    {47, " \xBC\xF2\xD2\xD7\xB0\xE6"},
    {66, " \xBC\xF2\xD2\xD7\xB0\xE6"},
    {17, kWebServer},
    {29, kWebServer},
    {18,
     " \xB8\xDF\xD0\xD4\xC4\xDC\xBC\xC6\xCB\xE3\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"}, // "
                                                                                   // 高性能计算服务器版"
    {20,
     " \xB4\xE6\xB4\xA2\xB7\xFE\xCE\xF1\xC6\xF7\xCC\xD8\xB1\xF0\xB0\xE6"}, // " 存储服务器特别版"
    {21,
     " \xB4\xE6\xB4\xA2\xB7\xFE\xCE\xF1\xC6\xF7\xB1\xEA\xD7\xBC\xB0\xE6"}, // " 存储服务器标准版"
    {22,
     " \xB4\xE6\xB4\xA2\xB7\xFE\xCE\xF1\xC6\xF7\xB9\xA4\xD7\xF7\xD7\xE9\xB0\xE6"}, // "
                                                                                   // 存储服务器工作组版"
    {23,
     " \xB4\xE6\xB4\xA2\xB7\xFE\xCE\xF1\xC6\xF7\xC6\xF3\xD2\xB5\xB0\xE6"}, // " 存储服务器企业版"
    {24,
     " \xBB\xF9\xB4\xA1\xC9\xCC\xD2\xB5\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"}, // " 基础商业服务器版"
    {30, " \xBB\xF9\xB4\xA1\xC9\xCC\xD2\xB5\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"},
    {31, " \xBB\xF9\xB4\xA1\xC9\xCC\xD2\xB5\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"},
    {32, " \xBB\xF9\xB4\xA1\xC9\xCC\xD2\xB5\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"},
    {35, " \xBB\xF9\xB4\xA1\xC9\xCC\xD2\xB5\xB7\xFE\xCE\xF1\xC6\xF7\xB0\xE6"},
    {33, " \xB7\xFE\xCE\xF1\xC6\xF7\xBC\xF2\xD2\xD7\xB0\xE6"}, // " 服务器简易版"
    {42, " Hyper-V\xB0\xE6"},                                  // " Hyper-V版"
    {48, kProfessional},
    {49, kProfessional},
    {69, kProfessional},
};

std::string_view ProductEditionWord(std::uint32_t productInfoType) {
    for (const auto& edition : kProductEditions) {
        if (edition.type == productInfoType) return edition.word;
    }
    return {};
}

std::string Number(long long value) {
    return std::to_string(value);
}

std::string_view ServicePackText(const OsVersionRecord& record) {
    std::string_view csd = record.CsdVersion;
    csd = csd.substr(0, csd.find('\0'));
    return csd.substr(0, 127);
}

bool CsdContains(const OsVersionRecord& record, std::string_view what) {
    return text::FindIgnoringCase(ServicePackText(record), what) != text::kNotFound;
}

struct Naming {
    std::string baseName;
    std::string name;
};

Naming NameWindows9x(const OsVersionRecord& r) {
    Naming n{"Microsoft Windows 4." + Number(r.MinorVersion), {}};
    switch (r.MinorVersion) {
    case 0:
        n.name = (CsdContains(r, "B") || CsdContains(r, "C")) ? "Microsoft Windows 95 OSR2"
                                                              : "Microsoft Windows 95";
        break;
    case 10:
        n.name = CsdContains(r, "A") ? "Microsoft Windows 98 SE" : "Microsoft Windows 98";
        break;
    case 90:
        n.name = "Microsoft Windows Millenium Edition";
        break;
    default:
        n.name = n.baseName;
    }
    return n;
}

std::string NameNtBefore5(const OsVersionRecord& r) {
    std::string_view edition = " ";
    if (r.ProductType == kWorkstation) edition = " \xD7\xA8\xD2\xB5\xB0\xE6 "; // " 专业版 "
    if (r.ProductType == kServer) edition = " Server ";
    return "Microsoft Windows NT" + std::string(edition) + Number(r.MajorVersion) + "." +
           Number(r.MinorVersion);
}

std::string_view Windows2000Edition(const OsVersionRecord& r) {
    if (r.ProductType == kWorkstation) return kProfessional;
    if (r.ProductType != kServer) return {};
    switch (r.SuiteMask) {
    case 1:
    case 32:
        return " Server \xD6\xD0\xD0\xA1\xD0\xCD\xC6\xF3\xD2\xB5\xB0\xE6"; // " Server 中小型企业版"
    case 2:
        return " Server \xC6\xF3\xD2\xB5\xB0\xE6"; // " Server 企业版"
    case 128:
        return " Server \xCA\xFD\xBE\xDD\xD6\xD0\xD0\xC4\xB0\xE6"; // " Server 数据中心版"
    default:
        return " Server";
    }
}

// The suite mask is compared as a whole value, not bit by bit.
std::string_view WindowsXpEdition(const OsVersionRecord& r) {
    switch (r.SuiteMask) {
    case 64:
        return " \xC7\xB6\xC8\xEB\xB0\xE6"; // " 嵌入版"
    case 256:
        return kProfessional;
    case 512:
        return " \xBC\xD2\xCD\xA5\xB0\xE6"; // " 家庭版"
    default:
        return {};
    }
}

std::string_view Server2003Edition(const OsVersionRecord& r) {
    switch (r.SuiteMask) {
    case 0:
        return kStandard;
    case 2:
        return kEnterprise;
    case 128:
        return kDatacenter;
    case 1024:
        return kWebServer;
    default:
        return {};
    }
}

std::string NameNt5(const OsVersionRecord& r, const std::string& baseName) {
    switch (r.MinorVersion) {
    case 0:
        return "Microsoft Windows 2000" + std::string(Windows2000Edition(r));
    case 1:
        return "Microsoft Windows XP" + std::string(WindowsXpEdition(r));
    case 2:
        return std::string(r.SuiteMask == 32768 ? "Microsoft Windows Home Server"
                                                : "Microsoft Windows Server 2003") +
               std::string(Server2003Edition(r));
    default:
        return baseName + std::string(kInternalBuildNote);
    }
}

std::string NameNtAfter5(const OsVersionRecord& r, const std::string& baseName) {
    const std::string edition(ProductEditionWord(r.ProductInfoType));
    const bool workstation = r.ProductType == kWorkstation;
    if (r.MajorVersion == 6) {
        if (r.MinorVersion == 0)
            return (workstation ? "Microsoft Windows Vista" : "Microsoft Windows Server 2008") +
                   edition;
        if (r.MinorVersion == 1)
            return (workstation ? "Microsoft Windows 7" : "Microsoft Windows Server 2008 R2") +
                   edition;
        return "Microsoft Windows NT 6." + Number(r.MinorVersion) + edition +
               std::string(kInternalBuildNote);
    }
    if (r.MajorVersion == 7 && r.MinorVersion == 0)
        return (workstation ? "Microsoft Windows 8" : "Microsoft Windows Server 2011") + edition;
    return baseName + edition + std::string(kInternalBuildNote);
}

Naming NameWindowsNt(const OsVersionRecord& r) {
    Naming n{"Microsoft Windows NT " + Number(r.MajorVersion) + "." + Number(r.MinorVersion), {}};
    if (r.MajorVersion < 5) {
        n.name = NameNtBefore5(r);
    } else if (r.MajorVersion == 5) {
        n.name = NameNt5(r, n.baseName);
    } else {
        n.name = NameNtAfter5(r, n.baseName);
    }
    return n;
}

Naming NameOf(const OsVersionRecord& r) {
    switch (r.PlatformId) {
    case 0:
        return {"Microsoft Windows 3.1", "Microsoft Windows 3.1"};
    case 1:
        return NameWindows9x(r);
    case 2:
        return NameWindowsNt(r);
    default:
        return {{}, std::string(kUnknownVersion)};
    }
}

} // namespace

bool NeedsProductInfo(const platform::OsVersionRecord& record) {
    return record.PlatformId == 2 && record.MajorVersion > 5;
}

std::string OsVersionText(const platform::OsVersionRecord& record, int selector, int /*ignored*/) {
    switch (selector) {
    case 2:
        return std::string(ServicePackText(record));
    case 3:
        return Number(record.BuildNumber);
    case 4:
        return NameOf(record).baseName;
    case 5:
        return Number(record.ServicePackMajor) + "." + Number(record.ServicePackMinor);
    default:
        return NameOf(record).name;
    }
}

} // namespace korvane
