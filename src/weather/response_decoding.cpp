#include "weather/response_decoding.h"

#include <cstddef>
#include <cstdint>

namespace korvane {
namespace {

constexpr unsigned char kGroupLead = 0xE0;
constexpr std::size_t kGroupLength = 3;

unsigned char ByteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// A plain run's bytes up to its first NUL: the response is handled as zero-terminated text.
void AppendPlainRun(std::string& out, std::string_view run) {
    out.append(run.substr(0, run.find('\0')));
}

std::string WithoutLineBreaks(std::string_view group) {
    std::string kept;
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i] == '\r' && i + 1 < group.size() && group[i + 1] == '\n') {
            ++i;
            continue;
        }
        kept.push_back(group[i]);
    }
    return kept;
}

} // namespace

std::string DecodeGroup(platform::CodePage& codePage, std::string_view group) {
    const std::string bytes = WithoutLineBreaks(group);
    // A group cut short counts its missing continuation bytes as 0x80, which add nothing.
    const auto byteOr80 = [&bytes](std::size_t i) -> int {
        return i < bytes.size() ? ByteAt(bytes, i) : 0x80;
    };
    const int lead = bytes.empty() ? kGroupLead : ByteAt(bytes, 0);
    const int codePoint = (lead - 0xE0) * 4096 + (byteOr80(1) - 0x80) * 64 + (byteOr80(2) - 0x80);
    // Handed over as one 16-bit unit, low byte first: anything wider keeps its low 16 bits.
    const auto unit = static_cast<std::uint16_t>(static_cast<unsigned>(codePoint) & 0xFFFFu);

    // Two blanks and a terminating NUL: a one-byte character leaves the second blank standing.
    char buffer[3] = {' ', ' ', '\0'};
    codePage.WideToGbk(unit, buffer, 2);
    const std::string_view written(buffer, 2);
    return std::string(written.substr(0, written.find('\0')));
}

std::string DecodeResponse(platform::CodePage& codePage, std::string_view bytes) {
    std::string out;
    std::size_t runStart = 0; // start of the plain run being collected
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char byte = ByteAt(bytes, i);
        if (byte < kGroupLead && byte != '/' && byte != ' ') {
            ++i;
            continue;
        }
        AppendPlainRun(out, bytes.substr(runStart, i - runStart));
        if (byte >= kGroupLead) {
            out += DecodeGroup(codePage, bytes.substr(i, kGroupLength));
            i += kGroupLength;
        } else {
            out += byte == '/' ? '\\' : ' ';
            ++i;
        }
        runStart = i;
    }
    if (runStart < bytes.size()) AppendPlainRun(out, bytes.substr(runStart));
    return out;
}

} // namespace korvane
