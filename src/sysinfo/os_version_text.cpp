#include "sysinfo/os_version_text.h"

#include "text/search.h"
#include "text/texts.h"

#include <span>
#include <string_view>

namespace korvane {
namespace {

using platform::OsVersionRecord;

constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;

// A value the version record reports, and the edition word it stands for.
struct EditionWord {
    std::uint32_t value;
    std::string_view word;
};

// GetProductInfo types.
constexpr EditionWord kProductEditions[] = {
    {1, texts::kUltimate},
    {28, texts::kUltimate},
    {71, texts::kUltimate},
    {2, texts::kHomeBasic},
    {5, texts::kHomeBasic},
    {67, texts::kHomeBasic},
    {3, texts::kHomePremium},
    {26, texts::kHomePremium},
    {68, texts::kHomePremium},
    {4, texts::kEnterprise},
    {10, texts::kEnterprise},
    {14, texts::kEnterprise},
    {15, texts::kEnterprise},
    {27, texts::kEnterprise},
    {38, texts::kEnterprise},
    {41, texts::kEnterprise},
    {70, texts::kEnterprise},
    {6, texts::kBusiness},
    {16, texts::kBusiness},
    {7, texts::kStandard},
    {13, texts::kStandard},
    {36, texts::kStandard},
    {40, texts::kStandard},
    {8, texts::kDatacenter},
    {12, texts::kDatacenter},
    {37, texts::kDatacenter},
    {39, texts::kDatacenter},
    {9, texts::kSmallBusiness},
    {11, texts::kStarter},
    {47, texts::kStarter},
    {66, texts::kStarter},
    {17, texts::kWebServer},
    {29, texts::kWebServer},
    {18, texts::kComputeCluster},
    {20, texts::kStorageExpress},
    {21, texts::kStorageStandard},
    {22, texts::kStorageWorkgroup},
    {23, texts::kStorageEnterprise},
    {24, texts::kEssentialBusiness},
    {30, texts::kEssentialBusiness},
    {31, texts::kEssentialBusiness},
    {32, texts::kEssentialBusiness},
    {35, texts::kEssentialBusiness},
    {33, texts::kServerFoundation},
    {42, texts::kHyperV},
    {48, texts::kProfessional},
    {49, texts::kProfessional},
    {69, texts::kProfessional},
};

// Suite masks, each compared as a whole value, not bit by bit: Windows 2000 Server, Windows XP and
// Server 2003.
constexpr EditionWord kServer2000Editions[] = {{1, texts::kServerSmallBusiness},
                                               {32, texts::kServerSmallBusiness},
                                               {2, texts::kServerEnterprise},
                                               {128, texts::kServerDatacenter}};
constexpr EditionWord kXpEditions[] = {
    {64, texts::kEmbedded}, {256, texts::kProfessional}, {512, texts::kHome}};
constexpr EditionWord kServer2003Editions[] = {{0, texts::kStandard},
                                               {2, texts::kEnterprise},
                                               {128, texts::kDatacenter},
                                               {1024, texts::kWebServer}};

std::string_view WordOf(std::span<const EditionWord> words, std::uint32_t value,
                        std::string_view otherwise = {}) {
    for (const EditionWord& edition : words)
        if (edition.value == value) return edition.word;
    return otherwise;
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
    if (r.ProductType == kWorkstation) edition = texts::kNtWorkstation;
    if (r.ProductType == kServer) edition = " Server ";
    return "Microsoft Windows NT" + std::string(edition) + Number(r.MajorVersion) + "." +
           Number(r.MinorVersion);
}

std::string_view Windows2000Edition(const OsVersionRecord& r) {
    if (r.ProductType == kWorkstation) return texts::kProfessional;
    if (r.ProductType != kServer) return {};
    return WordOf(kServer2000Editions, r.SuiteMask, " Server");
}

std::string NameNt5(const OsVersionRecord& r, const std::string& baseName) {
    switch (r.MinorVersion) {
    case 0:
        return "Microsoft Windows 2000" + std::string(Windows2000Edition(r));
    case 1:
        return "Microsoft Windows XP" + std::string(WordOf(kXpEditions, r.SuiteMask));
    case 2:
        return std::string(r.SuiteMask == 32768 ? "Microsoft Windows Home Server"
                                                : "Microsoft Windows Server 2003") +
               std::string(WordOf(kServer2003Editions, r.SuiteMask));
    default:
        return baseName + std::string(texts::kInternalBuildNote);
    }
}

std::string NameNtAfter5(const OsVersionRecord& r, const std::string& baseName) {
    const std::string edition(WordOf(kProductEditions, r.ProductInfoType));
    const bool workstation = r.ProductType == kWorkstation;
    if (r.MajorVersion == 6) {
        if (r.MinorVersion == 0)
            return (workstation ? "Microsoft Windows Vista" : "Microsoft Windows Server 2008") +
                   edition;
        if (r.MinorVersion == 1)
            return (workstation ? "Microsoft Windows 7" : "Microsoft Windows Server 2008 R2") +
                   edition;
        return "Microsoft Windows NT 6." + Number(r.MinorVersion) + edition +
               std::string(texts::kInternalBuildNote);
    }
    if (r.MajorVersion == 7 && r.MinorVersion == 0)
        return (workstation ? "Microsoft Windows 8" : "Microsoft Windows Server 2011") + edition;
    return baseName + edition + std::string(texts::kInternalBuildNote);
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
        return {{}, std::string(texts::kUnknownVersion)};
    }
}

} // namespace

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
