#include "engine/Preprocess.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/Polarity.h"

namespace engine {

namespace {

// Character height, in pixels, that the layout analysis works at.
constexpr double kTargetHeight = 32;

// Pages enlarged by more than this are smoothed after the enlargement.
constexpr float kSmoothAbove = 1.3f;

// The page in 8-bit gray. A gray page is shared, not copied: a page as large
// as an image may be is not held twice.
PixPtr ToGray(PixPtr page) {
    if (pixGetDepth(page.get()) == 8 && pixGetColormap(page.get()) == nullptr) {
        return page;
    }
    if (pixGetDepth(page.get()) == 32 && pixGetSpp(page.get()) == 4) {
        return OverBackdrop(page.get());
    }
    return PixPtr(pixConvertTo8(page.get(), 0));
}

// A page is blank when no pixel of a reduced copy differs from another by
// this much: reduction averages ink away only where it is far smaller than
// any character the engine could read.
constexpr int kBlankRange = 24;
constexpr int kBlankSide = 1024;

bool IsBlank(Pix* gray) {
    PixPtr small(pixClone(gray));
    while (small && std::max(pixGetWidth(small.get()), pixGetHeight(small.get())) > kBlankSide) {
        small.reset(pixScaleAreaMap2(small.get()));
    }
    if (!small) {
        return false;
    }
    l_int32 low = 0, high = 0;
    pixGetExtremeValue(small.get(), 1, L_SELECT_MIN, nullptr, nullptr, nullptr, &low);
    pixGetExtremeValue(small.get(), 1, L_SELECT_MAX, nullptr, nullptr, nullptr, &high);
    return high - low < kBlankRange;
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

// How near other ink a speck may lie and still be taken for part of it, in
// pixels of the page as stored.
constexpr int kSpeckCompany = 5;

// A binarised page (a fax) has lone black pixels everywhere, which the
// enlargement turns into dots the recogniser reads as marks or joins to
// strokes. On a page of black and white alone, ink of one or two pixels is
// taken out where no other ink lies within kSpeckCompany pixels: a full stop,
// even at fax resolution, has more, and the thin strokes of a light face that
// binarisation broke into pieces leave pieces of a pixel or two beside the
// rest of their letter, which taking them out would wear away. Gray pages
// keep theirs, since the full stop of small screen print may be a pixel or
// two.
void RemoveSpecks(Pix* gray) {
    NUMA* histogram = pixGetGrayHistogram(gray, 2);
    if (histogram == nullptr) {
        return;
    }
    l_float32 between = 0;
    numaGetSumOnInterval(histogram, 1, 254, &between);
    numaDestroy(&histogram);
    if (between > 0) {
        return;
    }
    PixPtr binary(pixThresholdToBinary(gray, 128));
    PixPtr specks(binary ? pixSelectByArea(binary.get(), 2, 8, L_SELECT_IF_LTE, nullptr) : nullptr);
    PixPtr rest(specks ? pixSubtract(nullptr, binary.get(), specks.get()) : nullptr);
    constexpr int kReach = 2 * kSpeckCompany + 1;
    PixPtr near(rest ? pixDilateBrick(nullptr, rest.get(), kReach, kReach) : nullptr);
    PixPtr seeds(near ? pixAnd(nullptr, specks.get(), near.get()) : nullptr);
    PixPtr accompanied(seeds ? pixSeedfillBinary(nullptr, seeds.get(), specks.get(), 8) : nullptr);
    if (!accompanied) {
        return;
    }
    pixSubtract(specks.get(), specks.get(), accompanied.get());
    pixSetMasked(gray, specks.get(), 0xff);
}

// Resolutions that differ by less than this are taken as equal: scanners
// round them, and a tenth more or less changes no letter's shape.
constexpr double kSquareEnough = 1.1;
// A page said to be stretched more than this says something wrong of itself.
constexpr double kMostStretch = 4.0;

// `gray` with square pixels, as the resolution its file gave (`xres` by
// `yres`) says it is to be shown. A fax sent at standard resolution (204 x
// 98 dpi) keeps every other scan line, so its letters are half as high as
// they are wide, and the recogniser reads squashed letters as others. The
// axis of lower resolution is stretched to match the other, interpolating
// (a fax's specks were taken out before, while it was still two-tone); a
// page too large to be stretched has its other axis reduced instead. Pages
// without a resolution for both axes, or whose ratio is beyond reason, are
// kept as they are.
PixPtr WithSquarePixels(PixPtr gray, l_int32 xres, l_int32 yres) {
    if (xres <= 0 || yres <= 0) {
        return gray;
    }
    const double ratio = static_cast<double>(std::max(xres, yres)) / std::min(xres, yres);
    if (ratio < kSquareEnough || ratio > kMostStretch) {
        return gray;
    }
    // Stretched down (fewer rows an inch than columns) or across; when that
    // would be too large, reduced along the other axis.
    const bool down = yres < xres;
    double sx = down ? 1 : ratio, sy = down ? ratio : 1;
    if (!SizeAcceptable(std::llround(pixGetWidth(gray.get()) * sx),
                        std::llround(pixGetHeight(gray.get()) * sy))) {
        sx = down ? 1 / ratio : 1;
        sy = down ? 1 : 1 / ratio;
    }
    PixPtr square(
        pixScaleGrayLI(gray.get(), static_cast<l_float32>(sx), static_cast<l_float32>(sy)));
    return square ? std::move(square) : std::move(gray);
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

// Lines are found from the rows of white between them, which a skewed page
// does not have: a page turned by more than a tenth of a degree is turned
// back. Leptonica's own deskew asks for a confidence that pages of short
// paragraphs, with few long lines to measure, do not reach; half of it
// still tells a real skew from none.
constexpr float kMinSkewConfidence = 1.5f;
constexpr float kMinSkewDegrees = 0.1f;

PixPtr Straighten(PixPtr gray) {
    PixPtr binary(pixThresholdToBinary(gray.get(), kInk));
    l_float32 angle = 0, confidence = 0;
    if (!binary || pixFindSkew(binary.get(), &angle, &confidence) != 0 ||
        confidence < kMinSkewConfidence || std::fabs(angle) < kMinSkewDegrees) {
        return gray;
    }
    constexpr float kRadiansPerDegree = 3.14159265f / 180;
    // Given the page's size, the rotation enlarges the page to keep its
    // corners.
    PixPtr straight(pixRotate(gray.get(), angle * kRadiansPerDegree, L_ROTATE_AREA_MAP,
                              L_BRING_IN_WHITE, pixGetWidth(gray.get()), pixGetHeight(gray.get())));
    return straight ? std::move(straight) : std::move(gray);
}

// The typical height of a character, from the connected components of ink.
double CharacterHeight(Pix* gray) {
    PixPtr binary(pixThresholdToBinary(gray, kInk));
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

PreparedPage Prepare(PixPtr page) {
    PreparedPage prepared;
    l_int32 xres = 0, yres = 0;
    if (page) {
        pixGetResolution(page.get(), &xres, &yres);
    }
    PixPtr gray = page ? ToGray(std::move(page)) : nullptr;
    if (!gray || IsBlank(gray.get())) {
        return prepared;
    }
    gray = Denoise(std::move(gray));
    if (pixGetRefcount(gray.get()) > 1) {
        gray.reset(pixCopy(nullptr, gray.get()));
    }
    if (!gray) {
        return prepared;
    }
    RemoveSpecks(gray.get());
    gray = WithSquarePixels(std::move(gray), xres, yres);
    MakeTextDark(gray.get());
    PixPtr work = Level(gray.get());
    gray.reset();
    if (!work) {
        return prepared;
    }
    work = Straighten(std::move(work));
    double height = CharacterHeight(work.get());
    if (height <= 0) {
        return prepared;
    }
    if (std::fabs(height - kTargetHeight) > 2) {
        const float scale = static_cast<float>(std::clamp(kTargetHeight / height, 0.2, 4.0));
        // Enlarging a low-resolution or binarised page interpolates its
        // staircase edges into strokes; reducing averages, so that thin
        // strokes fade instead of vanishing.
        work.reset(scale > 1 ? pixScaleGrayLI(work.get(), scale, scale)
                             : pixScaleAreaMap(work.get(), scale, scale));
        if (!work) {
            return prepared;
        }
        // A page enlarged this much was drawn with few pixels per stroke (a
        // fax, a screenshot): a 3 x 3 mean rounds the staircase edges the
        // enlargement keeps, which the recogniser misreads as strokes.
        if (scale > kSmoothAbove) {
            work.reset(pixBlockconvGray(work.get(), nullptr, 1, 1));
            if (!work) {
                return prepared;
            }
        }
        height *= scale;
    }
    prepared.binary.reset(pixThresholdToBinary(work.get(), kInk));
    if (!prepared.binary) {
        return prepared;
    }
    prepared.gray = std::move(work);
    prepared.charHeight = static_cast<int>(std::lround(height));
    return prepared;
}

}  // namespace engine
