#include "engine/Symbols.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "engine/Mend.h"
#include "engine/Rank.h"
#include "platform/text.h"

namespace engine {

std::vector<Symbol> ReadSymbols(tesseract::TessBaseAPI& api) {
    std::vector<Symbol> symbols;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it) {
        return symbols;
    }
    constexpr auto kSymbol = tesseract::RIL_SYMBOL;
    // The recogniser's own word boxes split Korean into single syllables; the
    // blanks of its line text are the real word gaps.
    std::string line;
    size_t offset = 0;
    do {
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
            std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
            line = text ? text.get() : "";
            offset = 0;
        }
        std::unique_ptr<char[]> text(it->GetUTF8Text(kSymbol));
        if (!text || text[0] == '\0') {
            continue;
        }
        Symbol symbol;
        symbol.text = text.get();
        it->BoundingBox(kSymbol, &symbol.left, &symbol.top, &symbol.right, &symbol.bottom);
        symbol.confidence = it->Confidence(kSymbol);
        symbol.wordConfidence = it->Confidence(tesseract::RIL_WORD);
        symbol.startsLine = it->IsAtBeginningOf(tesseract::RIL_TEXTLINE);
        symbol.startsParagraph = it->IsAtBeginningOf(tesseract::RIL_PARA);
        size_t found = line.find(symbol.text, offset);
        if (found != std::string::npos) {
            symbol.startsWord = line.find_first_of(" \t", offset) < found;
            offset = found + symbol.text.size();
        } else {
            symbol.startsWord = it->IsAtBeginningOf(tesseract::RIL_WORD);
        }
        symbol.startsWord = symbol.startsWord || symbol.startsLine;
        symbols.push_back(std::move(symbol));
    } while (it->Next(kSymbol));
    return symbols;
}

namespace {

// The character at the start of `s`; U+FFFD where no well-formed one starts.
char32_t FirstCodePoint(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    const size_t length = platform::Utf8SequenceLength(s, 0);
    return length == 0 ? 0xFFFD : platform::Utf8CodePoint(s, 0, length);
}

using platform::IsAsciiDigit;
using platform::IsAsciiLetter;

// True when `text` is ASCII alone.
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text of symbols [first, end).
std::string TextOf(const std::vector<Symbol>& symbols, size_t first, size_t end) {
    std::string text;
    for (size_t i = first; i < end; ++i) {
        text += symbols[i].text;
    }
    return text;
}

// A lone Hangul letter (compatibility jamo), as opposed to a syllable.
bool IsJamo(char32_t c) {
    return c >= 0x3131 && c <= 0x318E;
}

// What the Hangul model puts among syllables where it did not know the
// letters: lone jamo, CJK brackets and marks, full-width forms.
bool IsConfusionMark(char32_t c) {
    return IsJamo(c) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Letters and digits that the English model reads better: Latin letters and
// digits, their full-width forms, and the lone Hangul letters (jamo) that the
// Hangul model puts for Latin letters it cannot read.
bool IsLetterOrDigit(const std::string& character) {
    char32_t c = FirstCodePoint(character);
    return IsAsciiDigit(c) || IsAsciiLetter(c) || (c >= 0xFF10 && c <= 0xFF5A) || IsJamo(c);
}

}  // namespace

size_t WordEnd(const std::vector<Symbol>& symbols, size_t first) {
    size_t end = first + 1;
    while (end < symbols.size() && !symbols[end].startsWord) {
        ++end;
    }
    return end;
}

bool IsHangulSyllable(char32_t c) {
    return c >= 0xAC00 && c <= 0xD7A3;
}

bool IsHangulSyllable(const std::string& character) {
    return IsHangulSyllable(FirstCodePoint(character));
}

namespace {

// A typographic quotation mark, single or double, opening or closing.
bool IsCurlyQuote(char32_t c) {
    return c >= 0x2018 && c <= 0x201F;
}

// A quotation mark as tall as a syllable is letters the Hangul model did not
// know ("IP" read as a closing quote): real quotation marks sit high and
// small.
bool IsTallQuote(const Symbol& symbol, int syllableHeight) {
    const char32_t c = FirstCodePoint(symbol.text);
    const bool quote = c == U'\'' || c == U'"' || c == U'`' || IsCurlyQuote(c);
    return quote && syllableHeight > 0 && (symbol.bottom - symbol.top) * 10 >= syllableHeight * 6;
}

int TypicalSyllableHeight(const std::vector<Symbol>& symbols) {
    std::vector<int> heights;
    for (const Symbol& symbol : symbols) {
        if (IsHangulSyllable(symbol.text)) {
            heights.push_back(symbol.bottom - symbol.top);
        }
    }
    return Rank(std::move(heights), 0.5);
}

}  // namespace

std::vector<Run> NonHangulRuns(const std::vector<Symbol>& symbols) {
    std::vector<Run> runs;
    const int syllableHeight = TypicalSyllableHeight(symbols);
    auto letterLike = [&](const Symbol& symbol) {
        return IsLetterOrDigit(symbol.text) || IsTallQuote(symbol, syllableHeight);
    };
    size_t i = 0;
    while (i < symbols.size()) {
        if (IsHangulSyllable(symbols[i].text)) {
            ++i;
            continue;
        }
        size_t end = i;
        bool hasLetter = letterLike(symbols[i]);
        while (end + 1 < symbols.size() && !symbols[end + 1].startsWord &&
               !IsHangulSyllable(symbols[end + 1].text)) {
            ++end;
            hasLetter = hasLetter || letterLike(symbols[end]);
        }
        if (hasLetter) {
            runs.push_back({i, end});
        }
        i = end + 1;
    }
    return runs;
}

// The Hangul model's boxes are loose, so a wide box alone is no sign of a
// misreading; a wide syllable read with less confidence than this is, and so
// is a syllable in doubt beside a confusion mark.
constexpr float kSureOfSyllable = 93;

std::vector<Run> LatinCandidates(const std::vector<Symbol>& symbols) {
    const int syllableHeight = TypicalSyllableHeight(symbols);
    std::vector<Run> words;
    for (size_t first = 0; first < symbols.size();) {
        const size_t last = WordEnd(symbols, first) - 1;
        bool squeezed = false, doubted = false, confused = false;
        for (size_t i = first; i <= last; ++i) {
            const Symbol& symbol = symbols[i];
            if (IsHangulSyllable(symbol.text)) {
                doubted = doubted || symbol.confidence < kSureOfSyllable;
                squeezed = squeezed || (symbol.confidence < kSureOfSyllable &&
                                        (symbol.right - symbol.left) * 5 > syllableHeight * 9);
            } else {
                confused = confused || IsConfusionMark(FirstCodePoint(symbol.text));
            }
        }
        if (syllableHeight > 0 && (squeezed || (doubted && confused))) {
            words.push_back({first, last, true});
        }
        first = last + 1;
    }
    std::vector<Run> runs;
    size_t word = 0;
    for (const Run& run : NonHangulRuns(symbols)) {
        while (word < words.size() && words[word].last < run.first) {
            runs.push_back(words[word++]);
        }
        if (word < words.size() && words[word].first <= run.first) {
            continue;  // inside a squeezed word, which is read whole
        }
        runs.push_back(run);
    }
    runs.insert(runs.end(), words.begin() + static_cast<long>(word), words.end());
    return runs;
}

bool LooksMisread(const std::vector<Symbol>& symbols, const Run& run) {
    char32_t previous = 0;
    for (size_t i = run.first; i <= run.last; ++i) {
        for (const platform::Utf8Character& character : platform::Utf8Characters(symbols[i].text)) {
            const char32_t c = character.code;
            bool wedged = (IsAsciiLetter(previous) && IsAsciiDigit(c)) ||
                          (IsAsciiDigit(previous) && IsAsciiLetter(c));
            if (IsConfusionMark(c) || wedged) {
                return true;
            }
            previous = c;
        }
    }
    return false;
}

namespace {

// How many ASCII letters `text` holds.
long AsciiLetters(std::string_view text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); });
}

}  // namespace

bool IsLatinWord(const std::string& reading) {
    const long letters = AsciiLetters(reading);
    return letters >= 2 && letters * 2 >= static_cast<long>(reading.size());
}

// The Hangul model's confidence in a full stop it saw: 98 or 99 for the dots
// of file suffixes, 90 or less for full stops it made up.
constexpr float kSureOfStop = 95;

std::string WithLeadingSign(const std::vector<Symbol>& symbols, size_t first, std::string reading) {
    const std::string& own = symbols[first].text;
    if (own.empty() || reading.empty()) {
        return reading;
    }
    if (own.front() == '.' && symbols[first].confidence >= kSureOfStop &&
        IsAsciiLetter(static_cast<unsigned char>(reading.front()))) {
        reading.insert(reading.begin(), '.');
        return reading;
    }
    // The Hangul model does not make up dollar signs, but it may read the
    // sign as "S" and the first letter as "$" ("S$AN" for "$MAN").
    const bool dollar =
        own.front() == '$' || (first + 1 < symbols.size() && !symbols[first + 1].startsWord &&
                               symbols[first + 1].text == "$");
    const bool variable = reading.size() > 1 && reading.front() == 'S' &&
                          (reading[1] == '_' || (reading[1] >= 'A' && reading[1] <= 'Z'));
    if (dollar && variable) {
        reading.front() = '$';
    }
    return reading;
}

std::string WithoutMarkBeforeSyllable(const std::vector<Symbol>& symbols, size_t first, size_t last,
                                      std::string reading) {
    if (reading.empty() || last + 1 >= symbols.size() || symbols[last + 1].startsWord ||
        !IsHangulSyllable(symbols[last + 1].text)) {
        return reading;
    }
    const char mark = reading.back();
    if (mark != '.' && mark != ',' && mark != '-') {
        return reading;
    }
    const std::string own = TextOf(symbols, first, last + 1);
    if (own.empty() || own.back() != mark) {
        reading.pop_back();
    }
    return reading;
}

std::vector<LatinPart> LatinParts(const std::vector<Symbol>& symbols) {
    std::vector<LatinPart> parts;
    for (size_t first = 0; first < symbols.size();) {
        const size_t end = WordEnd(symbols, first);
        // Symbols a second reading emptied belong to the part they were read
        // with; the ending is the syllables from the first one on.
        size_t ending = first;
        while (ending < end && !IsHangulSyllable(symbols[ending].text)) {
            ++ending;
        }
        const bool hangulEnding =
            std::all_of(symbols.begin() + static_cast<long>(ending),
                        symbols.begin() + static_cast<long>(end), [](const Symbol& symbol) {
                            return symbol.text.empty() || IsHangulSyllable(symbol.text);
                        });
        const std::string text = TextOf(symbols, first, ending);
        const bool digits = std::all_of(text.begin(), text.end(), [](char c) {
            return IsAsciiDigit(static_cast<unsigned char>(c));
        });
        if (!text.empty() && hangulEnding) {
            parts.push_back({first, ending - 1, ending == end, digits});
        }
        first = end;
    }
    return parts;
}

// Below this confidence of the English model in a word, the Hangul model's
// reading of a whole word is kept.
constexpr float kSureOfLatinWord = 60;

// Below this confidence of the Hangul model in a word of no Hangul whose
// reading shows that it did not know the letters, the English model's
// reading of letters is taken from kFairLatinWord on.
constexpr float kLostHangulWord = 10;
constexpr float kFairLatinWord = 35;

// A word the Hangul model doubts this much, whose reading shows that it did
// not know the letters, takes an English reading of at least kClearLetters
// letters each read with kSureOfClearLetter, whatever the English model's
// confidence in the word: the English model joins a name to the Korean
// ending after it ("lexprogd|A{" over "lexprog에서"), and its confidence in
// that word is its doubt about the ending.
constexpr float kDoubtedHangulWord = 40;
constexpr long kClearLetters = 3;
constexpr float kSureOfClearLetter = 90;

namespace {

// Where a character stands along the line.
int CentreOf(const Symbol& symbol) {
    return (symbol.left + symbol.right) / 2;
}

// Where the English characters of `part` are looked for: its symbols,
// widened by `slack` (to the first Hangul syllable's edge after a part that
// begins a word), up to half way to the neighbouring words: a character
// between two words belongs to the nearer one.
std::pair<int, int> PlaceOf(const std::vector<Symbol>& symbols, const LatinPart& part, int slack) {
    int from = symbols[part.first].left - slack;
    if (part.first > 0) {
        from = std::max(from, (symbols[part.first - 1].right + symbols[part.first].left) / 2);
    }
    int to = part.wholeWord ? symbols[part.last].right + slack : symbols[part.last + 1].left;
    if (part.wholeWord && part.last + 1 < symbols.size()) {
        to = std::min(to, (symbols[part.last].right + symbols[part.last + 1].left) / 2);
    }
    return {from, to};
}

// How many dashes `text` begins with, and their length in bytes.
std::pair<size_t, size_t> LeadingDashes(std::string_view text) {
    size_t count = 0, bytes = 0;
    for (const platform::Utf8Character& character : platform::Utf8Characters(text)) {
        if (!IsDash(character.code)) {
            break;
        }
        ++count;
        bytes += character.bytes.size();
    }
    return {count, bytes};
}

// Below this confidence the Hangul syllable after a Latin part may be the
// end of the Latin word misread ("--robot" read "--rob아").
constexpr float kDoubtedEnding = 85;

// The English model's confidence in a word that takes such a syllable.
constexpr float kSureOfLatinEnding = 75;

// The English model's confidence in each of the two or more lower-case
// letters it reads where the Hangul model is sure of a syllable, for the
// letters to be the Latin word's end all the same.
constexpr float kSureOfLatinLetters = 96;

// True when the syllable `ending` after a Latin part is that word's end: the
// English model reads letters there that go on the word before them, and
// either the Hangul model doubts the syllable and the English model is quite
// sure of the word, or the English model is all but certain of each of two or
// more lower-case letters there ("ro아" for "root": a Korean particle, which
// the Hangul model is as sure of, comes out of the English model as one
// capital or as punctuation, "S" for "를").
bool EndingIsLatin(const Symbol& ending, const std::vector<Symbol>& english) {
    bool doubted = ending.confidence < kDoubtedEnding;
    bool lowerCase = true;
    int count = 0;
    for (const Symbol& symbol : english) {
        const int centre = CentreOf(symbol);
        if (centre < ending.left || centre >= ending.right) {
            continue;
        }
        const bool letters =
            !symbol.text.empty() && std::all_of(symbol.text.begin(), symbol.text.end(), [](char c) {
                return IsAsciiLetter(static_cast<unsigned char>(c));
            });
        if ((count == 0 && symbol.startsWord) || !letters) {
            return false;
        }
        doubted = doubted && symbol.wordConfidence >= kSureOfLatinEnding;
        lowerCase = lowerCase && symbol.confidence >= kSureOfLatinLetters &&
                    std::all_of(symbol.text.begin(), symbol.text.end(),
                                [](char c) { return c >= 'a' && c <= 'z'; });
        ++count;
    }
    return count > 0 && (doubted || (lowerCase && count >= 2));
}

// Marks the characters of each English word that lies mostly outside the
// Latin parts' `places`, that is over Hangul words: such a word is the
// reading of those, even where its end character reaches into a Latin
// word's place (the English model's boxes are as loose as the Hangul
// model's), and none of its characters replaces a whole word.
std::vector<char> WordsOverHangul(const std::vector<Symbol>& english,
                                  const std::vector<std::pair<int, int>>& places) {
    std::vector<char> over(english.size(), 0);
    for (size_t start = 0; start < english.size();) {
        const size_t end = WordEnd(english, start);
        size_t overLatin = 0;
        for (size_t i = start; i < end; ++i) {
            const int centre = CentreOf(english[i]);
            overLatin += std::any_of(places.begin(), places.end(), [&](const auto& place) {
                return centre >= place.first && centre < place.second;
            });
        }
        std::fill(over.begin() + static_cast<long>(start), over.begin() + static_cast<long>(end),
                  overLatin * 2 < end - start);
        start = end;
    }
    return over;
}

// True when the Hangul model's reading `own` shows plainly that it did not
// know the letters: a character beyond ASCII ("/“&-109/1880069" for
// "/var/log/lastlog") or digits with no letter (".128" for ".lzma").
bool UnknownLetters(const std::string& own) {
    const bool digitsAlone =
        std::any_of(own.begin(), own.end(),
                    [](char c) { return IsAsciiDigit(static_cast<unsigned char>(c)); }) &&
        AsciiLetters(own) == 0;
    return !IsAscii(own) || digitsAlone;
}

// `own` without the marks beyond ASCII that Korean text sets itself:
// quotation marks, the middle dot, the ellipsis and dashes (an option's
// hyphens read long, which are mended later).
std::string WithoutTextMarks(std::string_view own) {
    std::string kept;
    for (const platform::Utf8Character& character : platform::Utf8Characters(own)) {
        const char32_t c = character.code;
        if (!IsCurlyQuote(c) && c != 0x00B7 && c != 0x2026 && !IsDash(c)) {
            kept += character.bytes;
        }
    }
    return kept;
}

// True when the Hangul model's reading `own` of `part` shows that it did not
// know the letters: UnknownLetters, or the marks of LooksMisread.
bool LostLetters(const std::vector<Symbol>& symbols, const LatinPart& part,
                 const std::string& own) {
    return UnknownLetters(own) || LooksMisread(symbols, {part.first, part.last, false});
}

// A word of one mark or digit is a lone letter the Hangul model did not know
// ("》" for "y", "×" for "x", "9" for "p") when the English model reads one
// letter there with at least this confidence in it.
constexpr float kSureOfLoneLetter = 90;

// Letters the English model may take a lone digit for.
constexpr std::string_view kDigitLookAlikes = "ABDGILOQSZbgilqsz";

// The index of the English character that is the lone letter of `part`: a
// whole word of one character that is either a mark beyond ASCII or a digit,
// where the only unused English character in [from, to) is a letter read
// with kSureOfLoneLetter (for a digit, a letter no digit looks like). The
// English model joins such a letter to the Korean words beside it ("SYUCLy"
// over "보입니다. y"), so the word it belongs to says nothing about it. An
// ASCII mark alone (":", "%") is as often a real one.
std::optional<size_t> LoneLetter(const std::vector<Symbol>& symbols, const LatinPart& part,
                                 const std::vector<Symbol>& english, int from, int to,
                                 const std::vector<char>& used) {
    const std::string& own = symbols[part.first].text;
    if (!part.wholeWord || part.first != part.last || own.empty() ||
        platform::Utf8SequenceLength(own, 0) != own.size()) {
        return std::nullopt;
    }
    const bool digit = IsAsciiDigit(static_cast<unsigned char>(own[0]));
    if (!digit && (IsAscii(own) || IsLetterOrDigit(own))) {
        return std::nullopt;
    }
    std::optional<size_t> found;
    for (size_t i = 0; i < english.size(); ++i) {
        if (CentreOf(english[i]) < from || CentreOf(english[i]) >= to || used[i]) {
            continue;
        }
        if (found) {
            return std::nullopt;
        }
        found = i;
    }
    if (!found || english[*found].text.size() != 1 ||
        english[*found].confidence < kSureOfLoneLetter) {
        return std::nullopt;
    }
    const char letter = english[*found].text[0];
    if (!IsAsciiLetter(static_cast<unsigned char>(letter)) ||
        (digit && kDigitLookAlikes.find(letter) != std::string_view::npos)) {
        return std::nullopt;
    }
    return found;
}

}  // namespace

void TakeLatinParts(std::vector<Symbol>& symbols, const std::vector<LatinPart>& parts,
                    const std::vector<Symbol>& english, int slack) {
    std::vector<std::pair<int, int>> places;
    for (const LatinPart& part : parts) {
        places.push_back(PlaceOf(symbols, part, slack));
    }
    const std::vector<char> overHangul = WordsOverHangul(english, places);
    // The English characters of the part replaced last, and its end: a
    // word the Hangul model split in two ("XZ_" "OPT") is joined again when
    // the English model read it as one.
    size_t takenEnd = 0, takenPartEnd = 0;
    // The recogniser's boxes can overlap or stand out of order; no English
    // character is taken twice all the same.
    std::vector<char> used(english.size(), 0);
    for (size_t p = 0; p < parts.size(); ++p) {
        const LatinPart& part = parts[p];
        auto [from, to] = places[p];
        // The syllables of the ending that are the Latin word's end, from
        // the first on: [part.last + 1, end).
        size_t end = part.last + 1;
        while (!part.wholeWord && end < symbols.size() &&
               (end == part.last + 1 || !symbols[end].startsWord) &&
               IsHangulSyllable(symbols[end].text) && EndingIsLatin(symbols[end], english)) {
            to = symbols[end].right;
            ++end;
        }
        std::string reading;
        float confidence = 100, letterConfidence = 100;
        size_t firstTaken = english.size(), lastTaken = 0;
        for (size_t i = 0; i < english.size(); ++i) {
            const Symbol& symbol = english[i];
            if (CentreOf(symbol) < from || CentreOf(symbol) >= to || used[i] ||
                (part.wholeWord && overHangul[i])) {
                continue;
            }
            if (symbol.startsWord && !reading.empty()) {
                reading += ' ';
            }
            reading += symbol.text;
            confidence = std::min(confidence, symbol.wordConfidence);
            letterConfidence = std::min(letterConfidence, symbol.confidence);
            firstTaken = std::min(firstTaken, i);
            lastTaken = i;
        }
        // The English model reads the two hyphens of an option as one dash
        // more often than the Hangul model does ("--verbose" read "—verbose"
        // and "——verbose"); the Hangul model may read three.
        const std::string own = TextOf(symbols, part.first, part.last + 1);
        if (const auto [dashes, bytes] = LeadingDashes(reading);
            dashes == 1 && LeadingDashes(own).first >= 2) {
            reading.replace(0, bytes, "--");
        }
        // Dashes before a letter are hyphens misread ("——robot").
        reading = WithoutMarkBeforeSyllable(symbols, part.first, end - 1,
                                            WithLeadingSign(symbols, part.first, Mended(reading)));
        // A word the Hangul model was lost in takes a fair English reading of
        // letters, and one it doubts a reading of letters each all but
        // certain where its own reading shows plainly that it did not know
        // them (a digit beside letters is as often a unit, "65MiB", and a
        // quotation mark a quotation mark).
        const float hangulConfidence = symbols[part.first].wordConfidence;
        const bool latinWord = IsLatinWord(reading);
        const bool sure =
            confidence >= kSureOfLatinWord ||
            (part.wholeWord && confidence >= kFairLatinWord && hangulConfidence < kLostHangulWord &&
             latinWord && LostLetters(symbols, part, own)) ||
            (hangulConfidence < kDoubtedHangulWord && letterConfidence >= kSureOfClearLetter &&
             AsciiLetters(reading) >= kClearLetters && latinWord &&
             UnknownLetters(WithoutTextMarks(own)));
        if (reading.empty() || !IsAscii(reading) || (part.wholeWord && !sure) ||
            (part.digits && !(sure && latinWord))) {
            const std::optional<size_t> letter = LoneLetter(symbols, part, english, from, to, used);
            if (!letter) {
                continue;
            }
            reading = english[*letter].text;
            firstTaken = lastTaken = *letter;
        }
        symbols[part.first].text = reading;
        for (size_t i = part.first + 1; i < end; ++i) {
            symbols[i].text.clear();
        }
        std::fill(used.begin() + static_cast<long>(firstTaken),
                  used.begin() + static_cast<long>(lastTaken) + 1, 1);
        if (takenPartEnd == part.first && part.first > 0 && takenEnd == firstTaken &&
            !english[firstTaken].startsWord) {
            symbols[part.first].startsWord = false;
        }
        takenEnd = lastTaken + 1;
        takenPartEnd = part.last + 1;
    }
}

namespace {

// A Latin word swallowed by the Hangul model comes before a particle or an
// ending of a syllable or two; longer words of syllables are Korean words.
constexpr size_t kMostSwallowing = 2;

// The line's typical syllable advance, from one syllable's left edge to the
// next one's within a word; 0 when the line has too few to tell.
int SyllableAdvance(const std::vector<Symbol>& symbols) {
    std::vector<int> advances;
    for (size_t i = 1; i < symbols.size(); ++i) {
        if (!symbols[i].startsWord && IsHangulSyllable(symbols[i].text) &&
            IsHangulSyllable(symbols[i - 1].text)) {
            advances.push_back(symbols[i].left - symbols[i - 1].left);
        }
    }
    return advances.size() < 3 ? 0 : Rank(std::move(advances), 0.5);
}

}  // namespace

std::vector<Swallowed> SwallowedWords(const std::vector<Symbol>& symbols,
                                      const std::vector<char>& inked, int height) {
    std::vector<Swallowed> found;
    const int advance = SyllableAdvance(symbols);
    if (advance <= 0) {
        return found;
    }
    for (size_t first = 0, end = 0; first < symbols.size(); first = end) {
        end = WordEnd(symbols, first);
        if (end - first > kMostSwallowing ||
            !std::all_of(symbols.begin() + static_cast<long>(first),
                         symbols.begin() + static_cast<long>(end),
                         [](const Symbol& symbol) { return IsHangulSyllable(symbol.text); })) {
            continue;
        }
        // The word's ink, between its neighbours' boxes.
        int from = first > 0 ? std::max(symbols[first].left, symbols[first - 1].right)
                             : symbols[first].left;
        int to = 0;
        for (size_t i = first; i < end; ++i) {
            to = std::max(to, symbols[i].right);
        }
        if (end < symbols.size()) {
            to = std::min(to, symbols[end].left);
        }
        from = std::max(from, 0);
        to = std::min(to, static_cast<int>(inked.size()));
        while (from < to && inked[static_cast<size_t>(from)] == 0) {
            ++from;
        }
        while (to > from && inked[static_cast<size_t>(to - 1)] == 0) {
            --to;
        }
        // A syllable's ink is its advance less the gap to the next one.
        const int room = static_cast<int>(end - first) * advance * 9 / 10;
        if (to - from >= room + height / 2) {
            found.push_back({first, from, to - room, to});
        }
    }
    return found;
}

std::optional<Box> RunBox(const std::vector<Symbol>& symbols, const Run& run, int width,
                          int height) {
    Box box{symbols[run.first].left, symbols[run.first].top, symbols[run.last].right,
            symbols[run.first].bottom};
    for (size_t i = run.first; i <= run.last; ++i) {
        box.top = std::min(box.top, symbols[i].top);
        box.bottom = std::max(box.bottom, symbols[i].bottom);
    }
    const int pad = std::max(2, (box.bottom - box.top) * 15 / 100);
    // The box stops short of the neighbouring characters on the line, whose
    // strokes the English model would read as letters. The recogniser's boxes
    // of a run's end letters may reach over those neighbours, so the
    // neighbours' edges win unless they would leave out an end letter
    // altogether.
    const int leftLimit =
        run.first > 0 && !symbols[run.first].startsLine ? symbols[run.first - 1].right + 1 : 0;
    const int rightLimit = run.last + 1 < symbols.size() && !symbols[run.last + 1].startsLine
                               ? symbols[run.last + 1].left - 1
                               : width;
    box.left = std::max({0, box.left - pad, std::min(leftLimit, symbols[run.first].right - 1)});
    box.right =
        std::min({width, box.right + pad, std::max(rightLimit, symbols[run.last].left + 1)});
    box.top = std::max(0, box.top - pad);
    box.bottom = std::min(height, box.bottom + pad);
    if (box.right - box.left < kMinBoxSide || box.bottom - box.top < kMinBoxSide) {
        return std::nullopt;
    }
    return box;
}

std::string Text(const std::vector<Symbol>& symbols) {
    std::string text;
    for (size_t i = 0; i < symbols.size(); ++i) {
        const Symbol& symbol = symbols[i];
        if (i > 0) {
            if (symbol.startsParagraph) {
                text += "\n\n";
            } else if (symbol.startsLine) {
                text += '\n';
            } else if (symbol.startsWord) {
                text += ' ';
            }
        }
        text += symbol.text;
    }
    if (!text.empty()) {
        text += '\n';
    }
    return text;
}

}  // namespace engine
