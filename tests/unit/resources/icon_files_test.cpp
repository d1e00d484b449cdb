// The icon files and the manifest that the resource script links into Korvane.exe.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvane {
namespace {

// CMake compiles with absolute source paths, so the resources are found from this file.
std::filesystem::path ResourcePath(const char* name) {
    return std::filesystem::path(__FILE__).parent_path() / "../../../resources" / name;
}

std::string ReadFile(const char* name) {
    std::ifstream in(ResourcePath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

constexpr std::size_t kDirSize = 6 + 16;
constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kPixelBytes = 128 * 128 * 4;
constexpr std::size_t kMaskBytes = 128 * 16; // 128 one-bit pixels a row: already 32-bit aligned
constexpr std::size_t kIconFileSize = kDirSize + kHeaderSize + kPixelBytes + kMaskBytes;

// Checks the single-image 128 x 128, 32 bpp layout; answers the BGRA pixels.
std::string PixelsOfIcon(const std::string& ico) {
    EXPECT_EQ(ico.size(), kIconFileSize);
    if (ico.size() != kIconFileSize) return {};
    EXPECT_EQ(Le(ico, 0, 2), 0u);   // reserved
    EXPECT_EQ(Le(ico, 2, 2), 1u);   // an icon, not a cursor
    EXPECT_EQ(Le(ico, 4, 2), 1u);   // one image
    EXPECT_EQ(Le(ico, 6, 1), 128u); // width
    EXPECT_EQ(Le(ico, 7, 1), 128u); // height
    EXPECT_EQ(Le(ico, 12, 2), 32u); // bits per pixel in the directory entry
    EXPECT_EQ(Le(ico, 14, 4), kHeaderSize + kPixelBytes + kMaskBytes);
    EXPECT_EQ(Le(ico, 18, 4), kDirSize);
    const std::size_t h = kDirSize;
    EXPECT_EQ(Le(ico, h, 4), kHeaderSize);
    EXPECT_EQ(Le(ico, h + 4, 4), 128u);
    EXPECT_EQ(Le(ico, h + 8, 4), 256u); // colour and mask halves
    EXPECT_EQ(Le(ico, h + 12, 2), 1u);
    EXPECT_EQ(Le(ico, h + 14, 2), 32u);
    EXPECT_EQ(Le(ico, h + 16, 4), 0u); // BI_RGB
    return ico.substr(h + kHeaderSize, kPixelBytes);
}

TEST(IconFiles, BothAreSingle128PixelImagesAt32BitsWithAPartlyTransparentPicture) {
    for (const char* name : {"korvane_main.ico", "korvane_tray.ico"}) {
        SCOPED_TRACE(name);
        const std::string pixels = PixelsOfIcon(ReadFile(name));
        ASSERT_EQ(pixels.size(), kPixelBytes);
        int opaque = 0, transparent = 0;
        for (std::size_t i = 3; i < pixels.size(); i += 4) {
            const auto a = static_cast<unsigned char>(pixels[i]);
            opaque += a == 255;
            transparent += a == 0;
        }
        EXPECT_GT(opaque, 0);
        EXPECT_GT(transparent, 0);
    }
}

TEST(IconFiles, TheTrayIconFileHasItsFixedSizeAndDiffersFromTheMainIcon) {
    const std::string tray = ReadFile("korvane_tray.ico");
    const std::string main = ReadFile("korvane_main.ico");
    EXPECT_EQ(tray.size(), 67646u);
    EXPECT_NE(PixelsOfIcon(tray), PixelsOfIcon(main));
}

TEST(Manifest, RunsAsInvokerDpiAwareWithThemedControlsAndClaimsNoSystemAfterWindows8) {
    const std::string m = ReadFile("korvane.manifest");
    ASSERT_FALSE(m.empty());
    EXPECT_NE(m.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(m.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(m.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(m.find("6595b64144ccf1df"), std::string::npos);
    EXPECT_NE(m.find(">true</dpiAware>"), std::string::npos); // the layout scales itself
    // A later system listed here would report its real version, which the start-up check refuses.
    EXPECT_EQ(m.find("1f676c76-80e1-4239-95bb-83d0f6d0da78"), std::string::npos); // 8.1
    EXPECT_EQ(m.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos); // 10
}

} // namespace
} // namespace korvane
