#include "platform/wildcard.h"

#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace platform {

namespace {

// Splits UTF-8 into code points; a byte that starts no valid sequence stands
// for itself, so every input is matchable.
std::vector<uint32_t> CodePoints(std::string_view text) {
    std::vector<uint32_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out.push_back(0x110000u + static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        out.push_back(Utf8CodePoint(text, i, length));
        i += length;
    }
    return out;
}

uint32_t Fold(uint32_t c) {
    return c < 0x80 ? static_cast<uint32_t>(AsciiUpper(static_cast<char>(c))) : c;
}

bool Match(const std::vector<uint32_t>& name, const std::vector<uint32_t>& pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t starP = std::string_view::npos;
    size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::string_view pattern) {
    return pattern.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    const std::vector<uint32_t> n = CodePoints(name);
    std::vector<uint32_t> p = CodePoints(pattern);
    auto endsWithDotStar = [&p] {
        return p.size() >= 2 && p[p.size() - 2] == '.' && p.back() == '*';
    };
    // Dots after a final ".*" change nothing ("*.*." is "*.*").
    size_t dots = 0;
    while (dots < p.size() && p[p.size() - 1 - dots] == '.') {
        ++dots;
    }
    if (dots > 0 && p.size() > dots + 1 && p[p.size() - dots - 1] == '*' &&
        p[p.size() - dots - 2] == '.') {
        p.resize(p.size() - dots);
    }
    if (Match(n, p)) {
        return true;
    }
    // A final ".*" also matches where the name ends ("a.txt.*" finds a.txt,
    // "data.*" finds data).
    if (endsWithDotStar()) {
        p.resize(p.size() - 2);
        return Match(n, p);
    }
    // A final "." stands for the end of a name without an extension.
    const bool nameHasDot = name.find('.') != std::string_view::npos;
    if (!nameHasDot && !p.empty() && p.back() == '.') {
        p.pop_back();
        return Match(n, p);
    }
    return false;
}

}  // namespace platform
