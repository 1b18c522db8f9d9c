#include "platform/text.h"

namespace platform {

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead < 0x80                      ? 1
                          : (lead >= 0xC2 && lead <= 0xDF) ? 2
                          : (lead >= 0xE0 && lead <= 0xEF) ? 3
                          : (lead >= 0xF0 && lead <= 0xF4) ? 4
                                                           : 0;
    if (length == 0 || pos + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

char32_t Utf8CodePoint(std::string_view text, size_t pos, size_t length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[pos + k]) & 0x3Fu);
    }
    return code;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = AsciiUpper(c);
    }
    return upper;
}

}  // namespace platform
