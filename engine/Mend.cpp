#include "engine/Mend.h"

#include <string_view>
#include <vector>

#include "engine/Symbols.h"
#include "platform/text.h"

namespace engine {

bool IsDash(char32_t c) {
    return c == U'-' || c == 0x2013 || c == 0x2014;
}

namespace {

// Hangul syllables are numbered initial * 588 + vowel * 28 + final.
constexpr char32_t kFirstSyllable = 0xAC00;
constexpr char32_t kFinalM = 16, kFinalB = 17;

bool EndsInM(char32_t c) {
    return IsHangulSyllable(c) && (c - kFirstSyllable) % 28 == kFinalM;
}

// True when the character at `i` of `characters` is a full stop right
// before a syllable, at the line's start, after a blank or after a syllable:
// Korean begins no word with a full stop and puts a blank after one, so this
// is a speck of a binarised page read beside a word. After the syllables that
// end sentences (다, 요, 까) it is taken for a full stop whose blank the
// recogniser lost, as it does in faces set close.
bool IsSpeckBeforeWord(const std::vector<platform::Utf8Character>& characters, size_t i) {
    if (characters[i].code != U'.' || i + 1 >= characters.size() ||
        !IsHangulSyllable(characters[i + 1].code)) {
        return false;
    }
    if (i == 0 || characters[i - 1].code == U' ') {
        return true;
    }
    const char32_t before = characters[i - 1].code;
    return IsHangulSyllable(before) &&
           std::u32string_view(U"다요까").find(before) == std::u32string_view::npos;
}

// True when the capital I at `i` of `characters` is a lower-case l: it
// begins a word of Latin letters whose next letter no English word has
// after an initial capital I ("Izma", "Ip" for "lzma", "lp"); in a word of
// two letters only If, In, Is, It, Id and Io are English.
bool IsLowerL(const std::vector<platform::Utf8Character>& characters, size_t i) {
    if (characters[i].code != U'I' || (i > 0 && platform::IsAsciiLetter(characters[i - 1].code)) ||
        i + 1 >= characters.size()) {
        return false;
    }
    const char32_t next = characters[i + 1].code;
    if (next < U'a' || next > U'z') {
        return false;
    }
    const bool twoLetters =
        i + 2 >= characters.size() || !platform::IsAsciiLetter(characters[i + 2].code);
    const std::u32string_view never = U"ehjkpquwxyz", shortWords = U"dfnsto";
    return never.find(next) != std::u32string_view::npos ||
           (twoLetters && shortWords.find(next) == std::u32string_view::npos);
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
        } else if (IsSpeckBeforeWord(characters, i)) {
            // Between two words it stood in the blank that parts them.
            if (i > 0 && characters[i - 1].code != U' ') {
                mended += ' ';
            }
            ++i;
        } else if (IsLowerL(characters, i)) {
            mended += 'l';
            ++i;
        } else {
            mended += characters[i++].bytes;
        }
    }
    return mended;
}

}  // namespace engine
