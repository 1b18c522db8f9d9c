// Page clean-up before recognition: gray conversion, background levelling and
// scaling of the text to the height the recogniser reads best.
#pragma once

#include "engine/ImageInput.h"

namespace engine {

struct PreparedPage {
    PixPtr image;        // 8-bit gray, text dark on a light, even background
    int resolution = 0;  // pixels per inch that the scaled text corresponds to
};

// Answers an empty image when the page cannot be processed.
PreparedPage Prepare(Pix* page);

}  // namespace engine
