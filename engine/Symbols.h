// The recognised characters of a page with their places, and the text made of
// them.
#pragma once

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
};

// The characters of the last recognition of `api`, in reading order.
std::vector<Symbol> ReadSymbols(tesseract::TessBaseAPI& api);

// True for a precomposed Hangul syllable.
bool IsHangulSyllable(const std::string& character);

// A stretch of one word that holds no Hangul syllable but at least one letter
// or digit: [first, last] indexes into the symbols.
struct Run {
    size_t first = 0, last = 0;
};
std::vector<Run> NonHangulRuns(const std::vector<Symbol>& symbols);

// True when the Hangul model's reading of `run` shows that it did not know
// the letters: a lone jamo, a CJK bracket or a full-width form among Latin
// text, or a digit wedged against a letter ("1ibrary").
bool LooksMisread(const std::vector<Symbol>& symbols, const Run& run);

// The text of the symbols: words separated by a blank, lines by a line end,
// paragraphs by an empty line.
std::string Text(const std::vector<Symbol>& symbols);

}  // namespace engine
