#include "engine/SurerSyllables.h"

#include <algorithm>

namespace engine {

bool DoubtsASyllable(const std::vector<Symbol>& symbols) {
    return std::any_of(symbols.begin(), symbols.end(), [](const Symbol& symbol) {
        return symbol.confidence < kDoubtedSyllable && IsHangulSyllable(symbol.text);
    });
}

namespace {

// A word: symbols [first, end), and the columns [left, right) its boxes span.
struct Word {
    size_t first = 0, end = 0;
    int left = 0, right = 0;
};

// The words of `symbols` that hold Hangul syllables alone.
std::vector<Word> HangulWords(const std::vector<Symbol>& symbols) {
    std::vector<Word> words;
    for (size_t first = 0; first < symbols.size();) {
        const size_t end = WordEnd(symbols, first);
        Word word{first, end, symbols[first].left, symbols[first].right};
        bool hangul = true;
        for (size_t i = first; i < end; ++i) {
            hangul = hangul && IsHangulSyllable(symbols[i].text);
            word.left = std::min(word.left, symbols[i].left);
            word.right = std::max(word.right, symbols[i].right);
        }
        if (hangul) {
            words.push_back(word);
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
        if (match == others.end() || match->end - match->first != word.end - word.first) {
            continue;
        }
        const int wider = std::max(word.right - word.left, match->right - match->left);
        if (wider <= 0 || Overlap(word, *match) * 5 < wider * 4) {
            continue;
        }
        for (size_t i = 0; i < word.end - word.first; ++i) {
            Symbol& own = symbols[word.first + i];
            const Symbol& theirs = other[match->first + i];
            if (theirs.confidence > own.confidence) {
                own.text = theirs.text;
                own.confidence = theirs.confidence;
            }
        }
    }
}

}  // namespace engine
