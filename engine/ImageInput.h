// Reading images for recognition with Leptonica. Sizes are checked from the
// file's header before any pixel is decoded, so that a small file that claims
// an enormous image is refused at once instead of exhausting memory.
#pragma once

#include <cstdint>
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

// Whether a page of `width` x `height` pixels is within those limits.
bool SizeAcceptable(long long width, long long height);

// The unsigned number in the `count` (at most 4) bytes at `bytes`, most
// significant first when `bigEndian`, as image headers store their sizes.
uint32_t ByteNumber(const unsigned char* bytes, int count, bool bigEndian);

// The gray of a page with transparency: its colour laid over white where
// that shows its content, over black where only black does (light text on a
// transparent ground, made to be shown on a dark one). Null when Leptonica
// cannot convert `page`, a 32-bit page with an alpha channel.
PixPtr OverBackdrop(Pix* page);

// Reads every page of the image file `path` (a UTF-8 file name) into `pages`.
// Answers kSuccess or the failure's code; on failure `pages` is empty.
ResultCode ReadPages(const std::string& path, std::vector<PixPtr>& pages);

// The pages of a document in order, handed out one at a time, so that a
// long document need not be held in memory all at once.
class PageSource {
  public:
    virtual ~PageSource() = default;
    virtual int Count() const = 0;
    // Page `index` (from 0); kSuccess or the failure's code.
    virtual ResultCode Read(int index, PixPtr& page) = 0;
};

// The pages of an image, decoded already.
class DecodedPages : public PageSource {
  public:
    explicit DecodedPages(std::vector<PixPtr> pages) : pages_(std::move(pages)) {}
    int Count() const override { return static_cast<int>(pages_.size()); }
    ResultCode Read(int index, PixPtr& page) override;

  private:
    std::vector<PixPtr> pages_;
};

// Opens the image or PDF document `path` (a UTF-8 file name): its kind, and
// the sizes and number of its pages, are checked before anything large is
// allocated. kSuccess or the failure's code.
ResultCode OpenPages(const std::string& path, std::unique_ptr<PageSource>& pages);

}  // namespace engine
