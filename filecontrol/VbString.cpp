#include "filecontrol/VbString.h"

#include <algorithm>

#include "platform/text.h"

namespace filecontrol::vb {

namespace {

// A byte that starts no well-formed sequence counts as a character of its own.
size_t CharLengthAt(std::string_view text, size_t pos) {
    return std::max<size_t>(1, platform::Utf8SequenceLength(text, pos));
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
    return platform::AsciiUpper(text);
}

}  // namespace filecontrol::vb
