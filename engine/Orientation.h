// The way a photograph is meant to be turned. Cameras and phones store the
// pixels as the sensor saw them and say in the JPEG's Exif data how a viewer
// is to turn them; a page photographed upright in a phone held upright is
// stored lying on its side.
#pragma once

#include <string>
#include <string_view>

#include "engine/ImageInput.h"

namespace engine {

// The Exif orientation (1 to 8, 1 = as stored) of the JPEG whose bytes begin
// with `head` (its first segments; the Exif segment comes before the image
// data). 1 when the file says nothing or what it says cannot be read.
int ExifOrientation(std::string_view head);

// The same for the JPEG file at `path`, reading no more than its first
// segments.
int ExifOrientationOf(const std::string& path);

// `page` turned (and mirrored) as `orientation` asks, so that it stands as a
// viewer shows it. Null when Leptonica cannot turn it.
PixPtr Oriented(PixPtr page, int orientation);

}  // namespace engine
