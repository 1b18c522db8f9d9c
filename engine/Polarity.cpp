#include "engine/Polarity.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <vector>

#include "engine/ImageInput.h"

namespace engine {

namespace {

// The areas are found on a copy reduced so that its longer side is at most
// this many pixels: an area is wider than a few characters, and the copy is
// small enough to walk pixel by pixel.
constexpr int kReducedSide = 1000;

// Backgrounds at or above this gray are paper; below it they may carry light
// text. Strokes stand out from their background by at least kStroke.
constexpr int kPaper = 170;
constexpr int kDark = 110;
constexpr int kStroke = 30;

// Half the side of the neighbourhood whose median is a pixel's background,
// in reduced pixels; an area smaller than kMinWindows neighbourhoods is a
// dark shape on paper (a thick stroke, a dot), not a background.
constexpr int kMinHalfWindow = 8;
constexpr int kMinWindows = 4;

int ReductionOf(Pix* gray) {
    int factor = 1;
    while (std::max(pixGetWidth(gray), pixGetHeight(gray)) / factor > kReducedSide) {
        factor *= 2;
    }
    return factor;
}

struct Area {
    long long lighter = 0, darker = 0, pixels = 0, backgroundSum = 0;
};

}  // namespace

void MakeTextDark(Pix* gray) {
    if (gray == nullptr || pixGetDepth(gray) != 8) {
        return;
    }
    const int factor = ReductionOf(gray);
    PixPtr small(factor == 1 ? pixClone(gray)
                             : pixScaleAreaMap(gray, 1.0f / factor, 1.0f / factor));
    if (!small) {
        return;
    }
    // The background of each reduced pixel: the median of its neighbourhood,
    // wide enough to hold a few strokes of body text and the gaps between,
    // and wider than the strokes of a large title, whose inside is not a
    // dark background.
    const int half = std::max(kMinHalfWindow,
                              std::min(pixGetWidth(small.get()), pixGetHeight(small.get())) / 100);
    PixPtr background(pixRankFilterGray(small.get(), 2 * half + 1, 2 * half + 1, 0.5f));
    if (!background) {
        return;
    }
    const int w = pixGetWidth(small.get());
    const int h = pixGetHeight(small.get());
    const int wplS = pixGetWpl(small.get());
    const int wplB = pixGetWpl(background.get());
    const l_uint32* dataS = pixGetData(small.get());
    const l_uint32* dataB = pixGetData(background.get());
    auto value = [&](const l_uint32* data, int wpl, int x, int y) {
        return static_cast<int>(GET_DATA_BYTE(data + y * wpl, x));
    };

    // Label the connected stretches of non-paper background, 4-connected.
    std::vector<int> label(static_cast<size_t>(w) * h, -1);
    std::vector<Area> areas;
    std::vector<int> stack;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t at = static_cast<size_t>(y) * w + x;
            if (label[at] >= 0 || value(dataB, wplB, x, y) >= kPaper) {
                continue;
            }
            const int id = static_cast<int>(areas.size());
            Area area;
            label[at] = id;
            stack.assign(1, static_cast<int>(at));
            while (!stack.empty()) {
                const int p = stack.back();
                stack.pop_back();
                const int px = p % w;
                const int py = p / w;
                const int b = value(dataB, wplB, px, py);
                const int s = value(dataS, wplS, px, py);
                area.pixels++;
                area.backgroundSum += b;
                area.lighter += s > b + kStroke;
                area.darker += s < b - kStroke;
                const int next[4][2] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
                for (const auto& n : next) {
                    if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) {
                        continue;
                    }
                    const size_t q = static_cast<size_t>(n[1]) * w + n[0];
                    if (label[q] < 0 && value(dataB, wplB, n[0], n[1]) < kPaper) {
                        label[q] = id;
                        stack.push_back(static_cast<int>(q));
                    }
                }
            }
            areas.push_back(area);
        }
    }
    std::vector<char> invert(areas.size());
    bool any = false;
    for (size_t i = 0; i < areas.size(); ++i) {
        const Area& a = areas[i];
        const bool dark = a.backgroundSum < static_cast<long long>(kDark) * a.pixels;
        const long long window = (2LL * half + 1) * (2LL * half + 1);
        invert[i] = a.pixels >= kMinWindows * window &&
                    (a.lighter > a.darker || (dark && a.lighter == a.darker));
        any = any || invert[i];
    }
    if (!any) {
        return;
    }
    // Invert the full-size pixels of every such area.
    const int width = pixGetWidth(gray);
    const int height = pixGetHeight(gray);
    const int wpl = pixGetWpl(gray);
    l_uint32* data = pixGetData(gray);
    for (int y = 0; y < height; ++y) {
        l_uint32* row = data + y * wpl;
        const int sy = std::min(y / factor, h - 1);
        for (int x = 0; x < width; ++x) {
            const int id = label[static_cast<size_t>(sy) * w + std::min(x / factor, w - 1)];
            if (id >= 0 && invert[static_cast<size_t>(id)]) {
                SET_DATA_BYTE(row, x, 255 - GET_DATA_BYTE(row, x));
            }
        }
    }
}

}  // namespace engine
