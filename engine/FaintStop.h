#pragma once

#include <string>

#include "engine/Layout.h"

struct Pix;

namespace engine {

// True when a full stop stands right after `line` on the page `gray` (8-bit,
// the page the layout was found on) but outside the line's ink, so that the
// line was read without it, and `text`, the line's reading, ends where a
// sentence may end (a syllable, a letter, a digit or a closing bracket).
// At low resolution the full stop of a paragraph's last sentence is a spot
// of a few light gray pixels, lighter than the ink threshold once the page
// is enlarged, which neither the layout nor the line's box takes in.
bool FaintStopAfter(Pix* gray, const Line& line, const std::string& text);

}  // namespace engine
