#include "filecontrol/VbString.h"

namespace filecontrol::vb {

namespace {

size_t CharLengthAt(std::string_view text, size_t pos) {
    const auto b = static_cast<unsigned char>(text[pos]);
    const size_t len = b < 0x80                   ? 1
                       : (b >= 0xC2 && b <= 0xDF) ? 2
                       : (b >= 0xE0 && b <= 0xEF) ? 3
                       : (b >= 0xF0 && b <= 0xF4) ? 4
                                                  : 1;
    if (pos + len > text.size()) {
        return 1;
    }
    for (size_t k = 1; k < len; ++k) {
        if ((static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return len;
}

// Byte offset of the character with the 0-based index `index`, or the text's
// size when it has fewer characters.
size_t ByteOffset(std::string_view text, int64_t index) {
    size_t pos = 0;
    for (int64_t i = 0; i < index && pos < text.size(); ++i) {
        pos += CharLengthAt(text, pos);
    }
    return pos;
}

}  // namespace

size_t CharBytes(std::string_view text, size_t pos) {
    return CharLengthAt(text, pos);
}

int64_t Len(std::string_view text) {
    int64_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) {
        ++count;
    }
    return count;
}

std::string Left(std::string_view text, int64_t count) {
    if (count <= 0) {
        return std::string();
    }
    return std::string(text.substr(0, ByteOffset(text, count)));
}

std::string Right(std::string_view text, int64_t count) {
    const int64_t length = Len(text);
    if (count >= length) {
        return std::string(text);
    }
    if (count <= 0) {
        return std::string();
    }
    return std::string(text.substr(ByteOffset(text, length - count)));
}

std::string Mid(std::string_view text, int64_t start, int64_t count) {
    if (start < 1) {
        start = 1;
    }
    const size_t from = ByteOffset(text, start - 1);
    const std::string_view rest = text.substr(from);
    if (count < 0) {
        return std::string(rest);
    }
    return std::string(rest.substr(0, ByteOffset(rest, count)));
}

std::string LTrim(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
    return LTrim(RTrim(text));
}

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace filecontrol::vb
