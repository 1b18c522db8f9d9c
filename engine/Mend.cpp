#include "engine/Mend.h"

#include "platform/text.h"

namespace engine {

bool IsDash(char32_t c) {
    return c == U'-' || c == 0x2013 || c == 0x2014;
}

namespace {

// Hangul syllables are numbered initial * 588 + vowel * 28 + final.
constexpr char32_t kFirstSyllable = 0xAC00, kLastSyllable = 0xD7A3;
constexpr char32_t kFinalM = 16, kFinalB = 17;

bool EndsInM(char32_t c) {
    return c >= kFirstSyllable && c <= kLastSyllable && (c - kFirstSyllable) % 28 == kFinalM;
}

}  // namespace

std::string Mended(std::string_view line) {
    const std::vector<platform::Utf8Character> characters = platform::Utf8Characters(line);
    std::string mended;
    mended.reserve(line.size());
    for (size_t i = 0; i < characters.size();) {
        const char32_t c = characters[i].code;
        if (IsDash(c)) {
            size_t end = i;
            while (end < characters.size() && IsDash(characters[end].code)) {
                ++end;
            }
            const bool option =
                end < characters.size() && platform::IsAsciiLetter(characters[end].code);
            for (; i < end; ++i) {
                mended += option ? std::string_view("-") : characters[i].bytes;
            }
        } else if (EndsInM(c) && i + 2 < characters.size() && characters[i + 1].code == U'니' &&
                   (characters[i + 2].code == U'다' || characters[i + 2].code == U'까')) {
            platform::AppendUtf8(mended, c - kFinalM + kFinalB);
            ++i;
        } else {
            mended += characters[i++].bytes;
        }
    }
    return mended;
}

}  // namespace engine
