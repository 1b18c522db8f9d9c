// Reading images for recognition with Leptonica. Sizes are checked from the
// file's header before any pixel is decoded, so that a small file that claims
// an enormous image is refused at once instead of exhausting memory.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/KorvexOCR.h"

struct Pix;

namespace engine {

struct PixDeleter {
    void operator()(Pix* pix) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

// The largest image accepted: each side, and the pixels of all pages together.
constexpr int kMaxSide = 30000;
constexpr long long kMaxPixels = 100'000'000;

// Reads every page of the image file `path` (a UTF-8 file name) into `pages`.
// Answers kSuccess or the failure's code; on failure `pages` is empty.
ResultCode ReadPages(const std::string& path, std::vector<PixPtr>& pages);

}  // namespace engine
