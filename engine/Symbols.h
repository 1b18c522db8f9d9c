// The recognised characters of a page with their places, and the text made of
// them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tesseract {
class TessBaseAPI;
}

namespace engine {

struct Symbol {
    std::string text;
    int left = 0, top = 0, right = 0, bottom = 0;
    bool startsWord = false, startsLine = false, startsParagraph = false;
    float confidence = 100;      // the recogniser's, 0 to 100
    float wordConfidence = 100;  // the recogniser's for the word it belongs to
};

// The characters of the last recognition of `api`, in reading order.
std::vector<Symbol> ReadSymbols(tesseract::TessBaseAPI& api);

// The end of the word that begins with symbol `first`: the index of the next
// symbol that starts a word, or the number of symbols.
size_t WordEnd(const std::vector<Symbol>& symbols, size_t first);

// True for a precomposed Hangul syllable: the code point `c`, or the first
// character of `character`.
bool IsHangulSyllable(char32_t c);
bool IsHangulSyllable(const std::string& character);

// A stretch of one word that holds no Hangul syllable but at least one letter
// or digit: [first, last] indexes into the symbols.
struct Run {
    size_t first = 0, last = 0;
    bool hangul = false;  // a word the Hangul model read as Hangul, in doubt
};
std::vector<Run> NonHangulRuns(const std::vector<Symbol>& symbols);

// The runs the English model reads again: the non-Hangul runs, and every
// whole word with a Hangul syllable in doubt that is either almost twice as
// wide as a syllable is high or stands beside a lone jamo, CJK mark or
// full-width form (the Hangul model squeezing a Latin word, "return", into
// syllables); such a word replaces the runs inside it.
std::vector<Run> LatinCandidates(const std::vector<Symbol>& symbols);

// True when the Hangul model's reading of `run` shows that it did not know
// the letters: a lone jamo, a CJK bracket or a full-width form among Latin
// text, or a digit wedged against a letter ("1ibrary").
bool LooksMisread(const std::vector<Symbol>& symbols, const Run& run);

// True for a reading that is a word of Latin letters: at least two, and at
// least half of its bytes.
bool IsLatinWord(const std::string& reading);

// The English model's `reading` of a word that begins with symbol `first`,
// with the sign that begins it put back where the Hangul model saw it: the
// English model often misses the small dot of a file suffix (".lzma" read
// "lzma") and reads the dollar sign of a variable as S ("SMANPATH"). A full
// stop the Hangul model doubts is as often one it made up before a word
// after a sentence that has none; a dollar sign counts among the word's
// first two symbols, before a variable's capital or underscore.
std::string WithLeadingSign(const std::vector<Symbol>& symbols, size_t first, std::string reading);

// The English model's `reading` of symbols [first, last] without the full
// stop, comma or hyphen at its end that the Hangul model did not read, where
// a Hangul syllable of the same word follows: Korean puts no mark between a
// word and its particle, and such a mark is the English model's reading of
// the syllable's first stroke ("(Vim).은", "hc3-을").
std::string WithoutMarkBeforeSyllable(const std::vector<Symbol>& symbols, size_t first, size_t last,
                                      std::string reading);

// The beginning of a word that the English reading of the whole line may
// replace: [first, last] indexes into the symbols. Either the whole word, when
// it holds no Hangul syllable, or the part before the Hangul syllables that
// end it ("URI" of "URI는").
struct LatinPart {
    size_t first = 0, last = 0;
    bool wholeWord = true;
    bool digits = false;  // read as digits alone
};
std::vector<LatinPart> LatinParts(const std::vector<Symbol>& symbols);

// Puts the English reading of the whole line, `english`, in place of each
// part: the English characters whose centres lie in the part's place,
// widened by `slack` pixels (to the first Hangul syllable's edge after a
// part that begins a word) and never past half way to a neighbouring word.
// A part is replaced only when those characters are all ASCII (dashes
// before a letter made hyphens) and, for a whole word, the English model is
// fairly sure of the words they belong to (less sure will do for letters
// where the Hangul model was lost: no confidence in the word and a reading
// with marks, characters beyond ASCII or digits without letters) and those
// words lie mostly over Latin parts; the confidence of a part's words says
// nothing, since they hold the English model's reading of the Hangul ending
// too. The ending's syllables go with the part, from the first on, while the
// English model reads letters there on the same word and either the Hangul
// model doubts the syllable and the English model is sure of the word
// ("--rob아" for "--robot") or the English model is all but certain of two
// or more lower-case letters there ("ro아" for "root"). Digits stay unless
// the English model is sure they are a word of letters: the Hangul model
// reads digits well ("3번째"), and the English model takes a lone digit for
// a letter. A word of one character, a mark beyond ASCII or a digit, is the
// one letter the English model is quite sure of there, whatever its word
// ("》" for "y", "9" for "p"), unless a digit looks like that letter.
void TakeLatinParts(std::vector<Symbol>& symbols, const std::vector<LatinPart>& parts,
                    const std::vector<Symbol>& english, int slack);

// A Latin word the Hangul model did not read at all, before the syllables
// of the word that it ends: a word of one or two Hangul syllables whose ink
// (`inked`, one flag per column of the line's image) reaches to the left of
// the room its syllables take by half a character height (`height`) or
// more was read as its particle alone ("은" for "killall은"). `first` is
// the word's first symbol; the unread word's ink lies in columns
// [from, split), the syllables' in [split, to).
struct Swallowed {
    size_t first = 0;
    int from = 0, split = 0, to = 0;
};
std::vector<Swallowed> SwallowedWords(const std::vector<Symbol>& symbols,
                                      const std::vector<char>& inked, int height);

// A rectangle of an image, in pixels, its right and bottom edges excluded.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The smallest box the recogniser is given: a few pixels each way.
constexpr int kMinBoxSide = 3;

// Where the English model reads `run` in an image of `width` x `height`: the
// run's characters with a margin, kept off the neighbouring characters on the
// line and inside the image. Nothing when no box of kMinBoxSide each way is
// left, as when the recogniser's page-wide line finding put a run's
// characters on different lines and their box would be turned inside out
// (Tesseract crashes on such a box).
std::optional<Box> RunBox(const std::vector<Symbol>& symbols, const Run& run, int width,
                          int height);

// The text of the symbols: words separated by a blank, lines by a line end,
// paragraphs by an empty line.
std::string Text(const std::vector<Symbol>& symbols);

}  // namespace engine
