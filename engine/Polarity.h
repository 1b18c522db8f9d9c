// Light text on dark or coloured backgrounds (slides, banners, title bars)
// turned into dark text on a light background, area by area, so that the
// rest of the engine sees one polarity.
#pragma once

struct Pix;

namespace engine {

// Inverts, in the 8-bit gray `gray`, every area whose text is lighter than
// its background. An area is a connected stretch of background darker than
// paper; it is inverted when more of its pixels stand out above the
// background than below it (light strokes), or, on a dark background with no
// strokes either way, so that an empty dark bar does not become ink.
void MakeTextDark(Pix* gray);

}  // namespace engine
