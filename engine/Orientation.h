// The way a page is meant to be turned. Cameras and phones store the pixels
// as the sensor saw them and say in the JPEG's Exif data how a viewer is to
// turn them; a page photographed upright in a phone held upright is stored
// lying on its side. A page fed to a scanner on its side or upside down says
// nothing, and its text tells.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/ImageInput.h"

namespace tesseract {
class TessBaseAPI;
}

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

// Tesseract's orientation model (osd.traineddata), loaded once and kept: how
// a page of text is turned. Its guess is a hint to be checked, not an answer:
// on upright pages of Korean it sometimes guesses a turn.
class TurnDetector {
  public:
    TurnDetector();
    ~TurnDetector();
    TurnDetector(const TurnDetector&) = delete;
    TurnDetector& operator=(const TurnDetector&) = delete;

    // The quarter turns clockwise (1 to 3) that would set `page` upright,
    // by the model in `folder`; 0 when the page looks upright, or when there
    // is no model or no guess.
    int QuartersToUpright(const std::string& folder, Pix* page);

    // Releases the model; the next question loads it again.
    void Unload();

  private:
    std::unique_ptr<tesseract::TessBaseAPI> api_;
    std::string folder_;  // where `api_` was loaded from, or tried
};

}  // namespace engine
