#include "engine/Orientation.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace engine {

namespace {

// The Exif segment (APP1) is at most 64 KB and comes before the image data,
// after at most a JFIF segment of the same bound.
constexpr size_t kHeadBytes = 2 * 65536 + 4;

// The unsigned number of `count` bytes at `offset` of `bytes`, big- or
// little-endian; -1 when it lies outside them.
long Number(std::string_view bytes, size_t offset, int count, bool bigEndian) {
    if (offset > bytes.size() || bytes.size() - offset < static_cast<size_t>(count)) {
        return -1;
    }
    return ByteNumber(reinterpret_cast<const unsigned char*>(bytes.data() + offset), count,
                      bigEndian);
}

// The orientation tag of the TIFF structure that Exif data is.
int TiffOrientation(std::string_view tiff) {
    const bool bigEndian = tiff.substr(0, 4) == std::string_view("MM\0*", 4);
    if (!bigEndian && tiff.substr(0, 4) != std::string_view("II*\0", 4)) {
        return 1;
    }
    const long ifd = Number(tiff, 4, 4, bigEndian);
    const long entries = ifd < 0 ? -1 : Number(tiff, static_cast<size_t>(ifd), 2, bigEndian);
    for (long i = 0; i < entries; ++i) {
        const size_t entry = static_cast<size_t>(ifd) + 2 + static_cast<size_t>(i) * 12;
        const long tag = Number(tiff, entry, 2, bigEndian);
        if (tag < 0) {
            return 1;
        }
        // Orientation: a SHORT (type 3), one of them, held in the entry itself.
        if (tag == 0x0112) {
            const long value = Number(tiff, entry + 2, 2, bigEndian) == 3 &&
                                       Number(tiff, entry + 4, 4, bigEndian) == 1
                                   ? Number(tiff, entry + 8, 2, bigEndian)
                                   : -1;
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

}  // namespace

int ExifOrientation(std::string_view head) {
    if (Number(head, 0, 2, true) != 0xFFD8) {
        return 1;
    }
    // Segments: a marker (FF xx) and a length that counts itself; the image
    // data starts at SOS (FFDA), after which no Exif segment comes.
    size_t at = 2;
    for (;;) {
        const long marker = Number(head, at, 2, true);
        const long length = Number(head, at + 2, 2, true);
        if (marker < 0xFF00 || marker == 0xFFDA || length < 2) {
            return 1;
        }
        const std::string_view body =
            head.substr(std::min(head.size(), at + 4), static_cast<size_t>(length) - 2);
        if (marker == 0xFFE1 && body.substr(0, 6) == std::string_view("Exif\0\0", 6)) {
            return TiffOrientation(body.substr(6));
        }
        at += 2 + static_cast<size_t>(length);
    }
}

int ExifOrientationOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return ExifOrientation(head);
}

PixPtr Oriented(PixPtr page, int orientation) {
    if (!page) {
        return page;
    }
    // Quarter turns clockwise, then a mirror image left to right (5, 7) or
    // top to bottom (4), as Exif numbers them.
    static const struct {
        int quarters;
        bool flipLeftRight, flipTopBottom;
    } kTurns[] = {{0, false, false}, {0, true, false},  {2, false, false}, {0, false, true},
                  {1, true, false},  {1, false, false}, {1, false, true},  {3, false, false}};
    if (orientation <= 1 || orientation > 8) {
        return page;
    }
    const auto& turn = kTurns[orientation - 1];
    if (turn.quarters != 0) {
        page.reset(pixRotateOrth(page.get(), turn.quarters));
    }
    if (page && turn.flipLeftRight) {
        page.reset(pixFlipLR(nullptr, page.get()));
    }
    if (page && turn.flipTopBottom) {
        page.reset(pixFlipTB(nullptr, page.get()));
    }
    return page;
}

TurnDetector::TurnDetector() = default;
TurnDetector::~TurnDetector() = default;

// Below this the model's guess of a turn is not worth checking. Its
// confidence does not part right from wrong: on upright pages of Korean it
// guesses a turn now and then with confidence up to about 5, and a short page
// truly turned drew 2.
constexpr float kWorthChecking = 2;

int TurnDetector::QuartersToUpright(const std::string& folder, Pix* page) {
    if (folder != folder_) {
        folder_ = folder;
        api_.reset();
        std::error_code error;
        if (std::filesystem::is_regular_file(folder + "/osd.traineddata", error)) {
            auto api = std::make_unique<tesseract::TessBaseAPI>();
            api->SetVariable("debug_file", "/dev/null");
            if (api->Init(folder.c_str(), "osd", tesseract::OEM_TESSERACT_ONLY) == 0) {
                api->SetPageSegMode(tesseract::PSM_OSD_ONLY);
                api_ = std::move(api);
            }
        }
    }
    if (!api_ || page == nullptr) {
        return 0;
    }
    api_->SetImage(page);
    int degrees = 0;
    float confidence = 0, scriptConfidence = 0;
    const char* script = nullptr;
    const bool found =
        api_->DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence);
    api_->Clear();
    // The model names the turn the page has (counter-clockwise); undoing it
    // takes the rest of a whole turn clockwise.
    if (!found || confidence < kWorthChecking || degrees % 90 != 0) {
        return 0;
    }
    return (360 - degrees) % 360 / 90;
}

void TurnDetector::Unload() {
    api_.reset();
    folder_.clear();
}

}  // namespace engine
