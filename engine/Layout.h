// The layout of a page: where its text lines are and in which order they are
// read. Works on the page's ink as connected components, with all sizes
// measured in the page's typical character height, so it is the same at any
// resolution and type size.
//
// Components that cannot be letters (rules, bars, frames, pictures and
// specks) are set aside first. The rest is cut, recursively, into blocks:
// a white gutter that runs down the whole block splits it into columns read
// left, then right; a gutter that most of the block's bands of text keep,
// crossed only by a few (a heading over two columns, a footnote under them),
// cuts those crossing bands off above and below. Either needs several
// different lines beside it: copies of one line prove no column. A block
// with no gutter is a single column: its lines are followed from component
// to component along their own slope, read top to bottom, and a wide white
// gap between two of them starts a new region.
#pragma once

#include <vector>

#include "engine/ImageInput.h"
#include "engine/Symbols.h"

namespace engine {

struct Line {
    Box box;                   // the line's ink
    std::vector<Box> parts;    // the boxes of its connected components
    std::vector<Box> foreign;  // those of other lines that reach into its box
    int height = 0;            // its characters' typical height, in pixels
    double slope = 0;          // how far it falls per pixel to the right
};

// Lines that fall or rise by more than this per pixel (half a degree) are
// turned level before they are read.
constexpr double kMinSlope = 0.009;

// The white kept around a line's ink when it is read.
inline int MarginOf(const Line& line) {
    return line.height > 8 ? line.height / 8 : 1;
}

// Lines read one after another; regions are separated in the text by an
// empty line.
struct Region {
    std::vector<Line> lines;
};

struct PageLayout {
    std::vector<Region> regions;  // in reading order
    PixPtr nonText;               // 1 bit per pixel: the ink that is not text
};

// The layout of the ink `binary` (1 bit per pixel, 1 for ink) whose typical
// character is `charHeight` pixels high.
PageLayout FindLayout(Pix* binary, int charHeight);

}  // namespace engine
