#include "platform/fatal_error_text.h"

#include "support/gbk.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::platform {
namespace {

using korvane::testing::Gbk;

TEST(FatalErrorText, NamesTheLibraryAndTheEntryBetweenFullWidthQuotes) {
    // The expected bytes were produced apart from the program by encoding the readable text to
    // GBK, so a wrong byte in the program's literals cannot hide here.
    const struct {
        std::string_view library;
        std::string_view entry;
        std::string_view expected;
    } cases[] = {
        {"dwmapi.dll", "#131",
         "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED\x21\x0D\x0A\x0D\x0A\xB4\xED\xCE\xF3\xD0\xC5\xCF"
         "\xA2\xA3\xBA\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8\x44\x4C\x4C\xBF\xE2\xCE\xC4"
         "\xBC\xFE\xA1\xB0\x64\x77\x6D\x61\x70\x69\x2E\x64\x6C\x6C\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4"
         "\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0\x23\x31\x33\x31\xA1\xB1\x0D\x0A"},
        {"dwmapi.dll", "DwmIsCompositionEnabled",
         "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED\x21\x0D\x0A\x0D\x0A\xB4\xED\xCE\xF3\xD0\xC5\xCF"
         "\xA2\xA3\xBA\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8\x44\x4C\x4C\xBF\xE2\xCE\xC4"
         "\xBC\xFE\xA1\xB0\x64\x77\x6D\x61\x70\x69\x2E\x64\x6C\x6C\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4"
         "\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0\x44\x77\x6D\x49\x73\x43\x6F\x6D\x70\x6F\x73\x69\x74\x69"
         "\x6F\x6E\x45\x6E\x61\x62\x6C\x65\x64\xA1\xB1\x0D\x0A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(FatalErrorText(c.library, c.entry), c.expected);
    }
}

TEST(FatalErrorText, ReadsAsTheChineseMessageForEveryDeclaredEntry) {
    const struct {
        std::string_view library;
        std::string_view entry;
    } cases[] = {
        {"kernel32", "WideCharToMultiByte"},
        {"kernel32.dll", "GetVersionExA"},
        {"Kernel32.dll", "GetProductInfo"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string expected = Gbk("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“") +
                                     std::string(c.library) + Gbk("”中的输出命令“") +
                                     std::string(c.entry) + Gbk("”\r\n");
        EXPECT_EQ(FatalErrorText(c.library, c.entry), expected);
    }
}

TEST(FatalErrorText, EndsEachNameAtItsFirstZeroByte) {
    using namespace std::string_view_literals;
    EXPECT_EQ(FatalErrorText("dwmapi.dll\0junk"sv, "#131\0junk"sv),
              FatalErrorText("dwmapi.dll", "#131"));
}

TEST(FatalErrorText, UsesTheErrorCaptionAndTheErrorIcon) {
    EXPECT_EQ(kFatalErrorCaption, Gbk("错误"));
    EXPECT_EQ(kFatalErrorStyle, 0x10u);
}

} // namespace
} // namespace korvane::platform
