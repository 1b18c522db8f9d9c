#include "engine/SurerSyllables.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace engine {

bool DoubtsASyllable(const std::vector<Symbol>& symbols) {
    return std::any_of(symbols.begin(), symbols.end(), [](const Symbol& symbol) {
        return symbol.confidence < kDoubtedSyllable && IsHangulSyllable(symbol.text);
    });
}

namespace {

// The syllables of a word, by index, and the columns [left, right) their
// boxes span.
struct Word {
    std::vector<size_t> syllables;
    int left = 0, right = 0;
};

// A mark that may stand beside a word's syllables: a full stop, a comma, a
// bracket or a quote.
bool IsAsciiMark(const std::string& text) {
    return text.size() == 1 && std::ispunct(static_cast<unsigned char>(text[0])) != 0;
}

// The words of `symbols` that hold Hangul syllables and nothing else but
// ASCII marks.
std::vector<Word> HangulWords(const std::vector<Symbol>& symbols) {
    std::vector<Word> words;
    for (size_t first = 0; first < symbols.size();) {
        const size_t end = WordEnd(symbols, first);
        Word word;
        bool hangul = true;
        for (size_t i = first; i < end; ++i) {
            if (!IsHangulSyllable(symbols[i].text)) {
                hangul = hangul && IsAsciiMark(symbols[i].text);
                continue;
            }
            word.left =
                word.syllables.empty() ? symbols[i].left : std::min(word.left, symbols[i].left);
            word.right = std::max(word.right, symbols[i].right);
            word.syllables.push_back(i);
        }
        if (hangul && !word.syllables.empty()) {
            words.push_back(std::move(word));
        }
        first = end;
    }
    return words;
}

int Overlap(const Word& a, const Word& b) {
    return std::min(a.right, b.right) - std::max(a.left, b.left);
}

}  // namespace

void TakeSurerSyllables(std::vector<Symbol>& symbols, const std::vector<Symbol>& other) {
    const std::vector<Word> others = HangulWords(other);
    for (const Word& word : HangulWords(symbols)) {
        const auto match = std::max_element(
            others.begin(), others.end(),
            [&](const Word& a, const Word& b) { return Overlap(word, a) < Overlap(word, b); });
        if (match == others.end() || match->syllables.size() != word.syllables.size()) {
            continue;
        }
        const int wider = std::max(word.right - word.left, match->right - match->left);
        if (wider <= 0 || Overlap(word, *match) * 5 < wider * 4) {
            continue;
        }
        for (size_t i = 0; i < word.syllables.size(); ++i) {
            Symbol& own = symbols[word.syllables[i]];
            const Symbol& theirs = other[match->syllables[i]];
            if (theirs.confidence > own.confidence) {
                own.text = theirs.text;
                own.confidence = theirs.confidence;
            }
        }
    }
}

}  // namespace engine
