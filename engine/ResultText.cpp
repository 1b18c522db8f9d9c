#include "engine/ResultText.h"

#include <algorithm>
#include <vector>

#include "platform/codepage.h"
#include "platform/text.h"

namespace engine {

namespace {

std::string WithCrLf(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// Offsets at which a UTF-8 character starts, and the end of the text.
std::vector<size_t> CharacterStarts(std::string_view text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size();
         i += std::max<size_t>(1, platform::Utf8SequenceLength(text, i))) {
        starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

}  // namespace

std::string ResultBytes(std::string_view utf8, size_t capacity) {
    std::string text = WithCrLf(utf8);
    std::string whole = platform::ToAnsi(text);
    if (whole.size() <= capacity) {
        return whole;
    }
    // The code page is stateless, so converting a prefix gives a prefix of the
    // whole conversion; the longest prefix that fits is found by bisection.
    std::vector<size_t> starts = CharacterStarts(text);
    size_t fits = 0, tooLong = starts.size() - 1;
    while (tooLong - fits > 1) {
        size_t middle = fits + (tooLong - fits) / 2;
        if (platform::ToAnsi(std::string_view(text).substr(0, starts[middle])).size() <= capacity) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    std::string_view kept = std::string_view(text).substr(0, starts[fits]);
    if (!kept.empty() && kept.back() == '\r') {
        kept.remove_suffix(1);
    }
    return platform::ToAnsi(kept);
}

}  // namespace engine
