#include "support/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace korvane::testing {

std::string Gbk(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: no GBK");

    std::string input(utf8);
    std::vector<char> output(input.size() * 2 + 1);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        throw std::runtime_error("iconv: not convertible to GBK: " + input);
    return std::string(output.data(), output.size() - outLeft);
}

} // namespace korvane::testing
