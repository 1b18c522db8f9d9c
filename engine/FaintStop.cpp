#include "engine/FaintStop.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/Symbols.h"
#include "platform/text.h"

namespace engine {

namespace {

// Pixels darker than this may be the ink of a faint dot: levelled paper is
// near white.
constexpr int kSpotInk = 208;

// A dot has pixels darker than this and covers at least this many pixels;
// paper noise on a levelled gray page has single pixels of 200 or so.
constexpr int kDotCore = 192;
constexpr int kLeastDot = 4;

bool MaySentenceEnd(const std::string& text) {
    const std::vector<platform::Utf8Character> characters = platform::Utf8Characters(text);
    if (characters.empty()) {
        return false;
    }
    const char32_t last = characters.back().code;
    return IsHangulSyllable(last) || platform::IsAsciiLetter(last) ||
           platform::IsAsciiDigit(last) || last == U')';
}

}  // namespace

bool FaintStopAfter(Pix* gray, const Line& line, const std::string& text) {
    // A slanted line's baseline past its end is a guess: such lines are
    // left alone.
    const int h = line.height;
    if (pixGetDepth(gray) != 8 || h < 8 || std::fabs(line.slope) > kMinSlope ||
        !MaySentenceEnd(text)) {
        return false;
    }
    // Half a character to the right of the ink, over the lower half of the
    // line down to a little below it: where a full stop sits.
    const int width = static_cast<int>(pixGetWidth(gray));
    const int height = static_cast<int>(pixGetHeight(gray));
    const int left = line.box.right;
    const int right = std::min(width, left + h / 2 + 1);
    const int top = std::max(line.box.top, line.box.bottom - h / 2);
    const int bottom = std::min(height, line.box.bottom + h / 8);
    if (right - left < 2 || bottom - top < 2) {
        return false;
    }
    // The window's pixels darker than paper, in 4-connected pieces. A piece
    // that touches the window's left edge is the faint end of the line's last
    // stroke, and a piece of a pixel or three with no dark core is noise of
    // the paper; of the others there must be just one, and small: a dot, not
    // the start of more text.
    BOX* clip = boxCreate(left, top, right - left, bottom - top);
    PixPtr window(pixClipRectangle(gray, clip, nullptr));
    boxDestroy(&clip);
    PixPtr dark(window ? pixThresholdToBinary(window.get(), kSpotInk) : nullptr);
    if (!dark) {
        return false;
    }
    PIXA* pieces = nullptr;
    BOXA* boxes = pixConnComp(dark.get(), &pieces, 4);
    if (boxes == nullptr || pieces == nullptr) {
        boxaDestroy(&boxes);
        pixaDestroy(&pieces);
        return false;
    }
    const int w = right - left, hw = bottom - top;
    const int most = std::max(2, h / 4);
    bool dot = false, other = false;
    for (int i = 0; i < pixaGetCount(pieces) && !other; ++i) {
        l_int32 x, y, bw, bh, area = 0;
        boxaGetBoxGeometry(boxes, i, &x, &y, &bw, &bh);
        PixPtr piece(pixaGetPix(pieces, i, L_CLONE));
        pixCountPixels(piece.get(), &area, nullptr);
        l_float32 darkest = 255;
        pixGetRankValueMasked(window.get(), piece.get(), x, y, 1, 0.0f, &darkest, nullptr);
        const bool core = area >= kLeastDot && darkest < kDotCore;
        if (x == 0 || (area < kLeastDot && darkest >= kDotCore)) {
            continue;
        }
        other = dot || !core || x + bw == w || y == 0 || y + bh == hw || bw > most || bh > most;
        dot = true;
    }
    pixaDestroy(&pieces);
    boxaDestroy(&boxes);
    return dot && !other;
}

}  // namespace engine
