#pragma once
// Reads a fuzzer input front to back: single bytes, little-endian integers and length-prefixed
// texts. Past the end every read answers zeros or the empty text, so any input is a valid one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::fuzz {

class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : bytes_(reinterpret_cast<const char*>(data), size) {}

    bool AtEnd() const { return bytes_.empty(); }

    std::uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return byte;
    }

    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<std::uint32_t>(Byte()) << shift;
        return static_cast<std::int32_t>(value);
    }

    // One length byte, then that many bytes (fewer where the input ends).
    std::string Text() {
        const std::size_t length = Byte();
        const std::string_view text = bytes_.substr(0, length);
        bytes_.remove_prefix(text.size());
        return std::string(text);
    }

    std::string Rest() {
        std::string rest(bytes_);
        bytes_ = {};
        return rest;
    }

  private:
    std::string_view bytes_;
};

} // namespace korvane::fuzz
