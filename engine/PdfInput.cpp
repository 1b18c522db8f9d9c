#include "engine/PdfInput.h"

#include <leptonica/allheaders.h>
#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace engine {

namespace {

// The size in pixels of a page of `points` at the rendering resolution.
long long Pixels(double points) {
    return static_cast<long long>(std::ceil(points / 72.0 * kPdfResolution));
}

class PdfPages : public PageSource {
  public:
    explicit PdfPages(std::unique_ptr<poppler::document> document)
        : document_(std::move(document)) {
        renderer_.set_render_hint(poppler::page_renderer::antialiasing);
        renderer_.set_render_hint(poppler::page_renderer::text_antialiasing);
        renderer_.set_image_format(poppler::image::format_gray8);
    }

    int Count() const override { return document_->pages(); }

    // Checks every page's size before any is rendered.
    ResultCode CheckSizes() const {
        for (int index = 0; index < Count(); ++index) {
            const std::unique_ptr<poppler::page> page(document_->create_page(index));
            if (!page || !Acceptable(*page)) {
                return page ? kImageTooLarge : kImageDamaged;
            }
        }
        return kSuccess;
    }

    ResultCode Read(int index, PixPtr& pix) override {
        const std::unique_ptr<poppler::page> page(document_->create_page(index));
        if (!page) {
            return kImageDamaged;
        }
        if (!Acceptable(*page)) {
            return kImageTooLarge;
        }
        const poppler::image image =
            renderer_.render_page(page.get(), kPdfResolution, kPdfResolution);
        if (!image.is_valid() || image.format() != poppler::image::format_gray8) {
            return kImageDamaged;
        }
        PixPtr gray(pixCreate(image.width(), image.height(), 8));
        if (!gray) {
            return kRecognitionFailed;
        }
        // Poppler's rows are bytes of gray; Leptonica packs its 8-bit pixels
        // into 32-bit words, most significant byte first.
        l_uint32* data = pixGetData(gray.get());
        const l_int32 wpl = pixGetWpl(gray.get());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const unsigned char*>(image.const_data()) +
                              static_cast<size_t>(y) * static_cast<size_t>(image.bytes_per_row());
            l_uint32* line = data + static_cast<size_t>(y) * static_cast<size_t>(wpl);
            for (int x = 0; x < image.width(); ++x) {
                SET_DATA_BYTE(line, x, row[x]);
            }
        }
        pixSetResolution(gray.get(), static_cast<l_int32>(kPdfResolution),
                         static_cast<l_int32>(kPdfResolution));
        pix = std::move(gray);
        return kSuccess;
    }

  private:
    // A page's rendered size within what an image may be; its rotation
    // may swap the sides, so both are held to the larger one.
    static bool Acceptable(const poppler::page& page) {
        const poppler::rectf box = page.page_rect(poppler::crop_box);
        const long long longer = Pixels(std::max(box.width(), box.height()));
        const long long shorter = Pixels(std::min(box.width(), box.height()));
        return SizeAcceptable(longer, shorter);
    }

    std::unique_ptr<poppler::document> document_;
    poppler::page_renderer renderer_;
};

}  // namespace

bool LooksLikePdf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[5] = {};
    return in.read(magic, sizeof magic) && std::memcmp(magic, "%PDF-", sizeof magic) == 0;
}

ResultCode OpenPdf(const std::string& path, std::unique_ptr<PageSource>& pages) {
    std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
    if (!document) {
        return kImageDamaged;
    }
    if (document->is_locked()) {
        return kEncrypted;
    }
    const int count = document->pages();
    if (count < 1) {
        return kImageDamaged;
    }
    if (count > kMaxPdfPages) {
        return kImageTooLarge;
    }
    auto pdf = std::make_unique<PdfPages>(std::move(document));
    if (const ResultCode sizes = pdf->CheckSizes(); sizes != kSuccess) {
        return sizes;
    }
    pages = std::move(pdf);
    return kSuccess;
}

}  // namespace engine
