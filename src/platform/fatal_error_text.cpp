#include "platform/fatal_error_text.h"

#include "text/texts.h"

namespace korvane::platform {

namespace {

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

std::string FatalErrorText(std::string_view library, std::string_view entry) {
    std::string text;
    text.append(texts::kFatalErrorHeading).append(texts::kFatalErrorLabel);
    text.append(texts::kBeforeLibrary).append(UpToZero(library));
    text.append(texts::kBeforeEntry).append(UpToZero(entry));
    text.append(texts::kAfterEntry).append("\r\n");
    return text;
}

} // namespace korvane::platform
