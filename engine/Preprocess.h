// Page clean-up before layout analysis and recognition: gray conversion,
// polarity, background levelling, deskew, and scaling of the body text to the
// height the layout analysis and the recogniser work at.
#pragma once

#include "engine/ImageInput.h"

namespace engine {

// Pixels of the prepared page darker than this are ink.
constexpr int kInk = 160;

struct PreparedPage {
    PixPtr gray;         // 8-bit, text dark on a light, even background
    PixPtr binary;       // 1 bit per pixel: the ink of `gray`
    int charHeight = 0;  // the body text's typical character height in `gray`
};

// Prepares `page`, releasing it as soon as it is no longer needed (a large
// page is not held twice). The result is empty, and no pixel of it
// allocated at full size, when the page holds no ink.
PreparedPage Prepare(PixPtr page);

}  // namespace engine
