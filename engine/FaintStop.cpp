#include "engine/FaintStop.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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
    return IsHangulSyllable(std::string(characters.back().bytes)) ||
           platform::IsAsciiLetter(last) || platform::IsAsciiDigit(last) || last == U')';
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
    const l_uint32* data = pixGetData(gray);
    const int wpl = pixGetWpl(gray);
    const int w = right - left;
    auto value = [&](int x, int y) { return static_cast<int>(GET_DATA_BYTE(data + y * wpl, x)); };
    // The window's pixels darker than paper, grouped into 4-connected
    // pieces. A piece that touches the window's left edge is the faint end of
    // the line's last stroke, and a piece of a pixel or three with no dark
    // core is noise of the paper; of the others there must be just one, and
    // small: a dot, not the start of more text.
    std::vector<char> seen(static_cast<size_t>(w * (bottom - top)), 0);
    auto visit = [&](int x, int y) {
        char& mark = seen[static_cast<size_t>((y - top) * w + x - left)];
        const bool fresh = mark == 0 && value(x, y) < kSpotInk;
        mark = 1;
        return fresh;
    };
    bool dot = false;
    std::vector<std::pair<int, int>> stack;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!visit(x, y)) {
                continue;
            }
            int minX = x, maxX = x, minY = y, maxY = y, area = 0, darkest = 255;
            stack.assign(1, {x, y});
            while (!stack.empty()) {
                auto [px, py] = stack.back();
                stack.pop_back();
                minX = std::min(minX, px);
                maxX = std::max(maxX, px);
                minY = std::min(minY, py);
                maxY = std::max(maxY, py);
                ++area;
                darkest = std::min(darkest, value(px, py));
                for (auto [nx, ny] :
                     {std::pair{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}}) {
                    if (nx >= left && nx < right && ny >= top && ny < bottom && visit(nx, ny)) {
                        stack.push_back({nx, ny});
                    }
                }
            }
            if (minX == left || (area < kLeastDot && darkest >= kDotCore)) {
                continue;
            }
            const int most = std::max(2, h / 4);
            if (dot || area < kLeastDot || darkest >= kDotCore || maxX == right - 1 ||
                maxY == bottom - 1 || minY == top || maxX - minX >= most || maxY - minY >= most) {
                return false;
            }
            dot = true;
        }
    }
    return dot;
}

}  // namespace engine
