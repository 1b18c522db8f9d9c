#include "engine/Mend.h"

#include <vector>

#include "platform/text.h"

namespace engine {

namespace {

struct Character {
    char32_t c;
    std::string_view bytes;
};

// The characters of `text`; a byte that starts no well-formed character
// stands for itself.
std::vector<Character> Characters(std::string_view text) {
    std::vector<Character> characters;
    for (size_t at = 0; at < text.size();) {
        const size_t length = platform::Utf8SequenceLength(text, at);
        const size_t size = length == 0 ? 1 : length;
        characters.push_back({length == 0 ? U'\uFFFD' : platform::Utf8CodePoint(text, at, length),
                              text.substr(at, size)});
        at += size;
    }
    return characters;
}

bool IsDash(char32_t c) {
    return c == U'-' || c == 0x2013 || c == 0x2014;
}

bool IsAsciiLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// Hangul syllables are numbered initial * 588 + vowel * 28 + final.
constexpr char32_t kFirstSyllable = 0xAC00, kLastSyllable = 0xD7A3;
constexpr char32_t kFinalM = 16, kFinalB = 17;

bool EndsInM(char32_t c) {
    return c >= kFirstSyllable && c <= kLastSyllable && (c - kFirstSyllable) % 28 == kFinalM;
}

}  // namespace

std::string Mended(std::string_view line) {
    const std::vector<Character> characters = Characters(line);
    std::string mended;
    mended.reserve(line.size());
    for (size_t i = 0; i < characters.size();) {
        const char32_t c = characters[i].c;
        if (IsDash(c)) {
            size_t end = i;
            while (end < characters.size() && IsDash(characters[end].c)) {
                ++end;
            }
            const bool option = end < characters.size() && IsAsciiLetter(characters[end].c);
            for (; i < end; ++i) {
                mended += option ? std::string_view("-") : characters[i].bytes;
            }
        } else if (EndsInM(c) && i + 2 < characters.size() && characters[i + 1].c == U'니' &&
                   (characters[i + 2].c == U'다' || characters[i + 2].c == U'까')) {
            platform::AppendUtf8(mended, c - kFinalM + kFinalB);
            ++i;
        } else {
            mended += characters[i++].bytes;
        }
    }
    return mended;
}

}  // namespace engine
