#include "platform/fatal_error_text.h"

namespace korvane::platform {

namespace {

// "运行时出错!\r\n\r\n" (a run-time error occurred)
constexpr std::string_view kHeading = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
// "错误信息：" (error message:)
constexpr std::string_view kMessageLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
// "无法找到指定DLL库文件“" (cannot find, in the given DLL file “)
constexpr std::string_view kBeforeLibrary = "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
                                            "DLL\xBF\xE2\xCE\xC4\xBC\xFE\xA1\xB0";
// "”中的输出命令“" (”, the exported command “)
constexpr std::string_view kBeforeEntry =
    "\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0";
// "”"
constexpr std::string_view kAfterEntry = "\xA1\xB1";

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

std::string FatalErrorText(std::string_view library, std::string_view entry) {
    std::string text;
    text.append(kHeading).append(kMessageLabel);
    text.append(kBeforeLibrary).append(UpToZero(library));
    text.append(kBeforeEntry).append(UpToZero(entry));
    text.append(kAfterEntry).append("\r\n");
    return text;
}

} // namespace korvane::platform
