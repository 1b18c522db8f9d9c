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

std::vector<Utf8Character> Utf8Characters(std::string_view text) {
    std::vector<Utf8Character> characters;
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text, at);
        const size_t size = length == 0 ? 1 : length;
        characters.push_back(
            {length == 0 ? U'\uFFFD' : Utf8CodePoint(text, at, length), text.substr(at, size)});
        at += size;
    }
    return characters;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const size_t length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    const unsigned lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(lead[length] | (c >> (6 * (length - 1))));
    for (size_t k = length - 1; k-- > 0;) {
        out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = AsciiUpper(c);
    }
    return upper;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

}  // namespace platform
