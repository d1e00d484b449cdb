#include "support/gbk.h"
#include "sysinfo/os_version_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

using korvane::testing::Gbk;
using platform::OsVersionRecord;

OsVersionRecord Nt(int major, int minor, int productType, int suiteMask = 0, int productInfo = 0) {
    OsVersionRecord r;
    r.PlatformId = 2;
    r.MajorVersion = major;
    r.MinorVersion = minor;
    r.ProductType = static_cast<std::uint8_t>(productType);
    r.SuiteMask = static_cast<std::uint16_t>(suiteMask);
    r.ProductInfoType = static_cast<std::uint32_t>(productInfo);
    return r;
}

OsVersionRecord Win9x(int minor, std::string csd) {
    OsVersionRecord r;
    r.PlatformId = 1;
    r.MajorVersion = 4;
    r.MinorVersion = minor;
    r.CsdVersion = std::move(csd);
    return r;
}

OsVersionRecord Family(std::uint32_t platformId) {
    OsVersionRecord r;
    r.PlatformId = platformId;
    r.MajorVersion = 6;
    r.MinorVersion = 1;
    return r;
}

const std::string kNewer = "（内部版本号，请使用本程序最新版本以获得准确数据）";

struct NameCase {
    const char* what_it_shows;
    OsVersionRecord record;
    std::string expectedUtf8;
};

TEST(OsVersionText, NamesTheVersionAndEditionByTheDecisionTable) {
    const NameCase cases[] = {
        // Family 0 and unknown families.
        {"family 0 is Windows 3.1", Family(0), "Microsoft Windows 3.1"},
        {"family 5 is not recognised", Family(5), "版本未知，请使用本程序最新版本以获得准确数据"},
        {"family 3 is not recognised", Family(3), "版本未知，请使用本程序最新版本以获得准确数据"},
        // Family 1, searched case-insensitively in the service-pack text.
        {"95 without letters", Win9x(0, ""), "Microsoft Windows 95"},
        {"95 with a lower-case b is OSR2", Win9x(0, " b"), "Microsoft Windows 95 OSR2"},
        {"95 with C is OSR2", Win9x(0, "C"), "Microsoft Windows 95 OSR2"},
        {"95 with another letter", Win9x(0, " a"), "Microsoft Windows 95"},
        {"98 with a is SE", Win9x(10, " a "), "Microsoft Windows 98 SE"},
        {"98 without A", Win9x(10, " B"), "Microsoft Windows 98"},
        {"98 ignores a letter after the zero byte", Win9x(10, std::string(" \0A", 3)),
         "Microsoft Windows 98"},
        {"98 ignores a letter that is a second byte", Win9x(10, "\x81\x61"),
         "Microsoft Windows 98"},
        {"Me", Win9x(90, "A"), "Microsoft Windows Millenium Edition"},
        {"another minor is the base name", Win9x(3, ""), "Microsoft Windows 4.3"},
        // Family 2 before version 5.
        {"NT 4 workstation", Nt(4, 0, 1), "Microsoft Windows NT 专业版 4.0"},
        {"NT 4 server", Nt(4, 0, 3), "Microsoft Windows NT Server 4.0"},
        {"NT 3.51 of another type", Nt(3, 51, 2), "Microsoft Windows NT 3.51"},
        // Version 5.0.
        {"2000 workstation", Nt(5, 0, 1, 2), "Microsoft Windows 2000 专业版"},
        {"2000 small business (1)", Nt(5, 0, 3, 1), "Microsoft Windows 2000 Server 中小型企业版"},
        {"2000 small business (32)", Nt(5, 0, 3, 32), "Microsoft Windows 2000 Server 中小型企业版"},
        {"2000 enterprise", Nt(5, 0, 3, 2), "Microsoft Windows 2000 Server 企业版"},
        {"2000 datacenter", Nt(5, 0, 3, 128), "Microsoft Windows 2000 Server 数据中心版"},
        {"2000 server, mask compared whole", Nt(5, 0, 3, 130), "Microsoft Windows 2000 Server"},
        {"2000 of another type", Nt(5, 0, 2, 2), "Microsoft Windows 2000"},
        // Version 5.1.
        {"XP embedded", Nt(5, 1, 1, 64), "Microsoft Windows XP 嵌入版"},
        {"XP professional", Nt(5, 1, 1, 256), "Microsoft Windows XP 专业版"},
        {"XP home", Nt(5, 1, 1, 512), "Microsoft Windows XP 家庭版"},
        {"XP with two suite bits has no edition", Nt(5, 1, 1, 768), "Microsoft Windows XP"},
        // Version 5.2.
        {"2003 standard", Nt(5, 2, 3, 0), "Microsoft Windows Server 2003 标准版"},
        {"2003 enterprise", Nt(5, 2, 3, 2), "Microsoft Windows Server 2003 企业版"},
        {"2003 datacenter", Nt(5, 2, 3, 128), "Microsoft Windows Server 2003 数据中心版"},
        {"2003 web", Nt(5, 2, 3, 1024), "Microsoft Windows Server 2003 Web服务器版"},
        {"2003 other mask", Nt(5, 2, 3, 16), "Microsoft Windows Server 2003"},
        {"Home Server has no edition", Nt(5, 2, 3, 32768), "Microsoft Windows Home Server"},
        {"5.3 is newer than the list", Nt(5, 3, 1), "Microsoft Windows NT 5.3" + kNewer},
        {"5.-1 is newer than the list too", Nt(5, -1, 1), "Microsoft Windows NT 5.-1" + kNewer},
        // Versions above 5: every row of the product-info table.
        {"7 ultimate", Nt(6, 1, 1, 0, 1), "Microsoft Windows 7 旗舰版"},
        {"7 ultimate (71)", Nt(6, 1, 1, 0, 71), "Microsoft Windows 7 旗舰版"},
        {"7 home basic", Nt(6, 1, 1, 0, 67), "Microsoft Windows 7 家庭基础版"},
        {"7 home premium", Nt(6, 1, 1, 0, 26), "Microsoft Windows 7 家庭高级版"},
        {"7 enterprise", Nt(6, 1, 1, 0, 70), "Microsoft Windows 7 企业版"},
        {"Vista business", Nt(6, 0, 1, 0, 6), "Microsoft Windows Vista 商业版"},
        {"2008 R2 standard", Nt(6, 1, 3, 0, 7), "Microsoft Windows Server 2008 R2 标准版"},
        {"2008 datacenter", Nt(6, 0, 3, 0, 39), "Microsoft Windows Server 2008 数据中心版"},
        {"2008 small business", Nt(6, 0, 3, 0, 9), "Microsoft Windows Server 2008 中小型企业版"},
        {"7 starter", Nt(6, 1, 1, 0, 11), "Microsoft Windows 7 简易版"},
        {"2008 web", Nt(6, 0, 3, 0, 29), "Microsoft Windows Server 2008 Web服务器版"},
        {"2008 HPC", Nt(6, 0, 3, 0, 18), "Microsoft Windows Server 2008 高性能计算服务器版"},
        {"storage express", Nt(6, 0, 3, 0, 20), "Microsoft Windows Server 2008 存储服务器特别版"},
        {"storage standard", Nt(6, 0, 3, 0, 21), "Microsoft Windows Server 2008 存储服务器标准版"},
        {"storage workgroup", Nt(6, 0, 3, 0, 22),
         "Microsoft Windows Server 2008 存储服务器工作组版"},
        {"storage enterprise", Nt(6, 0, 3, 0, 23),
         "Microsoft Windows Server 2008 存储服务器企业版"},
        {"essential business", Nt(6, 0, 3, 0, 35),
         "Microsoft Windows Server 2008 基础商业服务器版"},
        {"foundation", Nt(6, 1, 3, 0, 33), "Microsoft Windows Server 2008 R2 服务器简易版"},
        {"Hyper-V", Nt(6, 1, 3, 0, 42), "Microsoft Windows Server 2008 R2 Hyper-V版"},
        {"7 professional", Nt(6, 1, 1, 0, 48), "Microsoft Windows 7 专业版"},
        {"an unlisted type has no edition", Nt(6, 1, 1, 0, 100), "Microsoft Windows 7"},
        {"type 19 is not in the list", Nt(6, 1, 1, 0, 19), "Microsoft Windows 7"},
        {"8 as Windows reports it", Nt(6, 2, 1, 0, 48), "Microsoft Windows NT 6.2 专业版" + kNewer},
        {"7.0 workstation", Nt(7, 0, 1, 0, 1), "Microsoft Windows 8 旗舰版"},
        {"7.0 server", Nt(7, 0, 3, 0, 7), "Microsoft Windows Server 2011 标准版"},
        {"7.1", Nt(7, 1, 1, 0, 4), "Microsoft Windows NT 7.1 企业版" + kNewer},
        {"10.0", Nt(10, 0, 1, 0, 48), "Microsoft Windows NT 10.0 专业版" + kNewer},
    };
    for (const auto& c : cases) {
        const std::string expected = Gbk(c.expectedUtf8);
        EXPECT_EQ(OsVersionText(c.record, 1), expected) << c.what_it_shows;
    }
}

struct SelectorCase {
    int selector;
    std::string expectedUtf8;
};

TEST(OsVersionText, AnswersTheSelectedPieceAndTheNameForAnyOtherSelector) {
    OsVersionRecord record = Nt(6, 1, 1, 0, 1);
    record.BuildNumber = 7601;
    record.CsdVersion = "Service Pack 1";
    record.ServicePackMajor = 1;
    record.ServicePackMinor = 0;
    const SelectorCase cases[] = {
        {1, "Microsoft Windows 7 旗舰版"},
        {2, "Service Pack 1"},
        {3, "7601"},
        {4, "Microsoft Windows NT 6.1"},
        {5, "1.0"},
        {0, "Microsoft Windows 7 旗舰版"},
        {6, "Microsoft Windows 7 旗舰版"},
        {-1, "Microsoft Windows 7 旗舰版"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OsVersionText(record, c.selector, 1), Gbk(c.expectedUtf8)) << c.selector;
        EXPECT_EQ(OsVersionText(record, c.selector, 99), Gbk(c.expectedUtf8)) << c.selector;
    }
}

struct PieceCase {
    const char* what_it_shows;
    OsVersionRecord record;
    int selector;
    std::string expected;
};

TEST(OsVersionText, WritesThePiecesOfUnusualRecordsPlainly) {
    OsVersionRecord negativePack = Nt(6, 1, 1);
    negativePack.ServicePackMajor = -1;
    negativePack.ServicePackMinor = 2;
    OsVersionRecord longCsd = Nt(6, 1, 1);
    longCsd.CsdVersion = std::string(200, 'x');
    OsVersionRecord maxBuild = Nt(6, 1, 1);
    maxBuild.BuildNumber = 4294967295u;
    const PieceCase cases[] = {
        {"an unknown family has an empty base name", Family(5), 4, ""},
        {"family 0 has a base name", Family(0), 4, "Microsoft Windows 3.1"},
        {"family 1 base name", Win9x(10, ""), 4, "Microsoft Windows 4.10"},
        {"a service pack is signed", negativePack, 5, "-1.2"},
        {"the service-pack text holds at most 127 bytes", longCsd, 2, std::string(127, 'x')},
        {"the service-pack text ends at its zero byte", Win9x(0, std::string("SP\0x", 4)), 2, "SP"},
        {"the build number is unsigned", maxBuild, 3, "4294967295"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OsVersionText(c.record, c.selector), c.expected) << c.what_it_shows;
    }
}

struct ProductInfoCase {
    OsVersionRecord record;
    bool expected;
};

TEST(NeedsProductInfo, AsksOnlyForTheNtFamilyAboveVersionFive) {
    const ProductInfoCase cases[] = {
        {Nt(6, 0, 1), true}, {Nt(10, 0, 1), true}, {Nt(5, 2, 3), false}, {Nt(4, 0, 1), false},
        {Family(0), false},  {Family(1), false},   {Family(5), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NeedsProductInfo(c.record), c.expected)
            << c.record.PlatformId << " " << c.record.MajorVersion;
    }
}

} // namespace
} // namespace korvane
