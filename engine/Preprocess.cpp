#include "engine/Preprocess.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace engine {

namespace {

// Character height, in pixels, that the recogniser reads best.
constexpr double kTargetHeight = 32;

PixPtr ToGray(Pix* page) {
    PixPtr opaque;
    if (pixGetDepth(page) == 32 && pixGetSpp(page) == 4) {
        opaque.reset(pixAlphaBlendUniform(page, 0xffffff00));
        page = opaque.get();
    }
    if (page == nullptr) {
        return nullptr;
    }
    return PixPtr(pixConvertTo8(page, 0));
}

// Below this typical difference between a pixel and the median of its
// neighbourhood a page is clean enough; above it, sensor noise breaks the
// strokes apart when the page is binarised.
constexpr float kNoiseLevel = 5;

// Smooths a noisy page with a mean and then a median of each 3 x 3
// neighbourhood, which takes out grain and specks without thinning strokes.
// A clean page is returned as it is: the filters would wear away the thin
// strokes of small print.
PixPtr Denoise(PixPtr gray) {
    PixPtr median(pixRankFilterGray(gray.get(), 3, 3, 0.5f));
    PixPtr difference(median ? pixAbsDifference(gray.get(), median.get()) : nullptr);
    l_float32 noise = 0;
    if (!difference ||
        pixGetRankValueMasked(difference.get(), nullptr, 0, 0, 1, 0.5f, &noise, nullptr) != 0 ||
        noise < kNoiseLevel) {
        return gray;
    }
    PixPtr mean(pixBlockconvGray(gray.get(), nullptr, 1, 1));
    PixPtr smooth(mean ? pixRankFilterGray(mean.get(), 3, 3, 0.5f) : nullptr);
    return smooth ? std::move(smooth) : std::move(gray);
}

// Levels the background to white and stretches the ink to black. The white
// point lies below the levelled background so that its noise becomes white.
PixPtr Level(Pix* gray) {
    PixPtr background(pixBackgroundNormMorph(gray, nullptr, 4, 15, 220));
    if (!background) {
        return PixPtr(pixCopy(nullptr, gray));
    }
    l_uint32 dark = 0;
    pixGetRankValue(background.get(), 2, 0.01f, &dark);
    int low = std::min<int>(dark, 150);
    return PixPtr(pixGammaTRC(nullptr, background.get(), 1.0f, low, 200));
}

// The typical height of a character, from the connected components of ink.
double CharacterHeight(Pix* gray) {
    PixPtr binary(pixThresholdToBinary(gray, 160));
    if (!binary) {
        return 0;
    }
    Boxa* boxes = pixConnCompBB(binary.get(), 8);
    if (boxes == nullptr) {
        return 0;
    }
    std::vector<int> heights;
    int count = boxaGetCount(boxes);
    for (int i = 0; i < count; ++i) {
        l_int32 x, y, w, h;
        boxaGetBoxGeometry(boxes, i, &x, &y, &w, &h);
        if (h >= 4 && h < 400 && w < 8 * h) {
            heights.push_back(h);
        }
    }
    boxaDestroy(&boxes);
    if (heights.size() < 10) {
        return 0;
    }
    size_t rank = heights.size() * 8 / 10;
    std::nth_element(heights.begin(), heights.begin() + rank, heights.end());
    return heights[rank];
}

}  // namespace

PreparedPage Prepare(Pix* page) {
    PreparedPage prepared;
    PixPtr gray = ToGray(page);
    if (!gray) {
        return prepared;
    }
    gray = Denoise(std::move(gray));
    PixPtr work = Level(gray.get());
    if (!work) {
        return prepared;
    }
    // Tesseract follows slightly skewed lines, but reads them better straight.
    if (PixPtr straight{pixDeskew(work.get(), 2)}) {
        work = std::move(straight);
    }
    double height = CharacterHeight(work.get());
    if (height > 0 && std::fabs(height - kTargetHeight) > 2) {
        double scale = std::clamp(kTargetHeight / height, 0.25, 4.0);
        work.reset(pixScaleGrayLI(work.get(), scale, scale));
    }
    prepared.image = std::move(work);
    prepared.resolution = 300;
    return prepared;
}

}  // namespace engine
