// Two Korean models' readings of one line, weighed syllable by syllable.
#pragma once

#include <vector>

#include "engine/Symbols.h"

namespace engine {

// Below this confidence of the first model in a syllable of a line, the line
// is read by the second Korean model as well. A line the first model is this
// sure of throughout gained next to nothing from the second reading, which
// costs about as much as the first.
constexpr float kDoubtedSyllable = 97;

// True when `symbols` hold a Hangul syllable read with less than
// kDoubtedSyllable.
bool DoubtsASyllable(const std::vector<Symbol>& symbols);

// Puts in `symbols`, one model's reading of a line, the syllables that
// `other`, another model's reading of the same image, is surer of. Only
// words of Hangul syllables, with no other character than ASCII marks (a
// full stop, a comma, a bracket), are weighed, each against the word of
// `other` whose syllables overlap its syllables most, when those overlap by
// four fifths of the wider and there are as many; then each syllable is
// taken from the reading with the higher confidence in it, with that
// confidence. The marks stay as `symbols` has them.
// The two Korean models that Debian ships misread different letter shapes
// (one takes the ㅂ of "옵션" for ㅁ, the other the ㅍ of "프" for ㄹ) and
// each is less sure where it is wrong; words that differ in length or in
// script are where the two disagree about the line itself, and stay.
void TakeSurerSyllables(std::vector<Symbol>& symbols, const std::vector<Symbol>& other);

}  // namespace engine
