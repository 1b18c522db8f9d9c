// PDF documents as pages for recognition, rendered with Poppler one page at a
// time. A page is always read from its rendered image, never from a text
// layer it may carry, so the result does not depend on what made the file.
#pragma once

#include <memory>
#include <string>

#include "engine/ImageInput.h"

namespace engine {

// The resolution pages are rendered at: the recogniser scales the text to
// its own liking afterwards, and 300 dpi keeps footnotes legible.
constexpr double kPdfResolution = 300.0;

// The most pages a document may have.
constexpr int kMaxPdfPages = 5000;

// True when the file starts as a PDF document does.
bool LooksLikePdf(const std::string& path);

// Opens the PDF document `path`: kDamaged when it cannot be parsed,
// kEncrypted when it opens only with a password, kImageTooLarge when it has
// more than kMaxPdfPages pages or a page larger, at kPdfResolution, than an
// image may be (checked before any page is rendered).
ResultCode OpenPdf(const std::string& path, std::unique_ptr<PageSource>& pages);

}  // namespace engine
