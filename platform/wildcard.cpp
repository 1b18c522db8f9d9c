#include "platform/wildcard.h"

#include <cstdint>
#include <vector>

namespace platform {

namespace {

// Splits UTF-8 into code points; a byte that starts no valid sequence stands
// for itself, so every input is matchable.
std::vector<uint32_t> CodePoints(std::string_view text) {
    std::vector<uint32_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valid = len != 0 && i + len <= text.size();
        for (size_t k = 1; valid && k < len; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (!valid) {
            out.push_back(0x110000u + b);
            ++i;
            continue;
        }
        uint32_t cp = len == 1 ? b : b & (0x7Fu >> len);
        for (size_t k = 1; k < len; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

uint32_t Fold(uint32_t c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
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
    if (Match(n, p)) {
        return true;
    }
    const bool nameHasDot = name.find('.') != std::string_view::npos;
    if (!nameHasDot && p.size() >= 2 && p[p.size() - 2] == '.' && p.back() == '*') {
        p.resize(p.size() - 2);
        return Match(n, p);
    }
    if (!nameHasDot && !p.empty() && p.back() == '.') {
        p.pop_back();
        return Match(n, p);
    }
    return false;
}

}  // namespace platform
