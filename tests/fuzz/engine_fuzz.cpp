// Small drawn pages, turned as the same bytes read as a JPEG's Exif data ask,
// through the whole reading of a page (clean-up, layout, recognition of
// every line found), and lines with arbitrary boxes, heights
// and parts straight to the recogniser: nothing may crash, whatever the
// rectangle, since every one is checked before Tesseract sees it.
#include <leptonica/allheaders.h>
#include <omp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Layout.h"
#include "engine/Orientation.h"
#include "engine/Preprocess.h"
#include "engine/Recognizer.h"

namespace {

// Reads the input a byte at a time; zeros once it runs out.
class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    int Next() { return at_ < size_ ? data_[at_++] : 0; }
    int Signed16() { return static_cast<int16_t>(Next() << 8 | Next()); }
    bool Left() const { return at_ < size_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

engine::Recognizer& TheRecognizer() {
    static engine::Recognizer* recognizer = [] {
        setMsgSeverity(L_SEVERITY_NONE);
        omp_set_max_active_levels(0);
        auto* made = new engine::Recognizer;
        engine::LanguageData data;
        if (!engine::FindLanguageData(data) || !made->Load(data)) {
            std::abort();  // no language data: nothing to fuzz
        }
        return made;
    }();
    return *recognizer;
}

// A page of up to 256 x 256 at any resolution across and down (0: none,
// as files without one): a background, then filled rectangles of any gray,
// then the rest of the input as rows of pixels from the top.
engine::PixPtr DrawPage(Bytes& bytes) {
    const int width = 8 + bytes.Next();
    const int height = 8 + bytes.Next();
    engine::PixPtr page(pixCreate(width, height, 8));
    pixSetResolution(page.get(), bytes.Next(), bytes.Next());
    pixSetAllGray(page.get(), bytes.Next());
    for (int count = bytes.Next() % 16; count > 0; --count) {
        const int x = bytes.Next(), y = bytes.Next(), w = bytes.Next(), h = bytes.Next();
        BOX* box = boxCreate(x, y, w + 1, h + 1);
        pixSetInRectArbitrary(page.get(), box, static_cast<l_uint32>(bytes.Next()));
        boxDestroy(&box);
    }
    for (int y = 0; y < height && bytes.Left(); ++y) {
        for (int x = 0; x < width && bytes.Left(); ++x) {
            pixSetPixel(page.get(), x, y, static_cast<l_uint32>(bytes.Next()));
        }
    }
    return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    engine::Recognizer& recognizer = TheRecognizer();
    Bytes bytes(data, size);
    const bool arbitraryLines = bytes.Next() % 2 == 1;
    // The same bytes as the head of a JPEG: its Exif orientation turns the
    // page.
    std::string head("\xFF\xD8", 2);
    head.append(reinterpret_cast<const char*>(data), size);
    engine::PixPtr page = engine::Oriented(DrawPage(bytes), engine::ExifOrientation(head));
    if (arbitraryLines) {
        // Lines anywhere, of any size, even turned inside out.
        Bytes lines(data, size);
        engine::PixPtr copy(pixCopy(nullptr, page.get()));
        for (int count = 1 + lines.Next() % 4; count > 0; --count) {
            engine::Line line;
            line.box = {lines.Signed16(), lines.Signed16(), lines.Signed16(), lines.Signed16()};
            line.height = lines.Signed16();
            line.parts.push_back(line.box);
            line.parts.push_back(
                {lines.Signed16(), lines.Signed16(), lines.Signed16(), lines.Signed16()});
            recognizer.ReadLine(copy.get(), nullptr, line);
        }
        return 0;
    }
    const engine::PreparedPage prepared = engine::Prepare(std::move(page));
    if (!prepared.gray) {
        return 0;
    }
    const engine::PageLayout layout =
        engine::FindLayout(prepared.binary.get(), prepared.charHeight);
    for (const engine::Region& region : layout.regions) {
        for (const engine::Line& line : region.lines) {
            recognizer.ReadLine(prepared.gray.get(), layout.nonText.get(), line);
        }
    }
    return 0;
}
