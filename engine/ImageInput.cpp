#include "engine/ImageInput.h"

#include <leptonica/allheaders.h>
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "engine/Orientation.h"
#include "engine/PdfInput.h"

namespace engine {

void PixDeleter::operator()(Pix* pix) const {
    pixDestroy(&pix);
}

bool SizeAcceptable(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

namespace {

// Skips a chain of GIF data sub-blocks (length byte, data, ..., zero byte).
bool SkipGifSubBlocks(std::istream& in) {
    for (;;) {
        int length = in.get();
        if (length == EOF) {
            return false;
        }
        if (length == 0) {
            return true;
        }
        in.seekg(length, std::ios::cur);
        if (!in) {
            return false;
        }
    }
}

// The GIF decoder holds every frame in memory at once, so the size of each
// frame is checked, not only the logical screen of the header.
ResultCode CheckGifFrames(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[13];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) {
        return kImageDamaged;
    }
    if (!SizeAcceptable(ByteNumber(header + 6, 2, false), ByteNumber(header + 8, 2, false))) {
        return kImageTooLarge;
    }
    if (header[10] & 0x80) {
        in.seekg(3 << ((header[10] & 7) + 1), std::ios::cur);
    }
    long long pixels = 0;
    int frames = 0;
    for (;;) {
        int block = in.get();
        if (block == 0x3B) {
            return frames > 0 ? kSuccess : kImageDamaged;
        }
        if (block == 0x21) {
            if (in.get() == EOF || !SkipGifSubBlocks(in)) {
                return kImageDamaged;
            }
            continue;
        }
        if (block != 0x2C) {
            return frames > 0 && block == EOF ? kSuccess : kImageDamaged;
        }
        unsigned char descriptor[9];
        if (!in.read(reinterpret_cast<char*>(descriptor), sizeof descriptor)) {
            return kImageDamaged;
        }
        long long width = ByteNumber(descriptor + 4, 2, false);
        long long height = ByteNumber(descriptor + 6, 2, false);
        pixels += width * height;
        if (!SizeAcceptable(width, height) || pixels > kMaxPixels) {
            return kImageTooLarge;
        }
        if (descriptor[8] & 0x80) {
            in.seekg(3 << ((descriptor[8] & 7) + 1), std::ios::cur);
        }
        if (in.get() == EOF || !SkipGifSubBlocks(in)) {
            return kImageDamaged;
        }
        ++frames;
    }
}

// Leptonica reports a bitmap's size only by decoding all of it, so the size
// is taken from the info header (width at byte 18, height at 22, negative
// for top-down rows) before anything is allocated.
ResultCode CheckBmpHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[26];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) {
        return kImageDamaged;
    }
    long long width = static_cast<int32_t>(ByteNumber(header + 18, 4, false));
    long long height = static_cast<int32_t>(ByteNumber(header + 22, 4, false));
    return SizeAcceptable(width, height < 0 ? -height : height) ? kSuccess : kImageTooLarge;
}

ResultCode CheckTiffPages(const std::string& path, int& pageCount) {
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return kFileNotFound;
    }
    l_int32 count = 0;
    bool counted = tiffGetCount(file, &count) == 0;
    fclose(file);
    if (!counted || count < 1) {
        return kImageDamaged;
    }
    long long pixels = 0;
    for (l_int32 n = 0; n < count; ++n) {
        l_int32 w = 0, h = 0, bps = 0, spp = 0, res = 0, cmap = 0, format = 0;
        if (readHeaderTiff(path.c_str(), n, &w, &h, &bps, &spp, &res, &cmap, &format) != 0) {
            return kImageDamaged;
        }
        pixels += static_cast<long long>(w) * h;
        if (!SizeAcceptable(w, h) || pixels > kMaxPixels) {
            return kImageTooLarge;
        }
    }
    pageCount = count;
    return kSuccess;
}

ResultCode CheckHeader(const std::string& path, l_int32 format, int& pageCount) {
    pageCount = 1;
    if (L_FORMAT_IS_TIFF(format)) {
        return CheckTiffPages(path, pageCount);
    }
    if (format == IFF_GIF) {
        return CheckGifFrames(path);
    }
    if (format == IFF_BMP) {
        return CheckBmpHeader(path);
    }
    l_int32 fmt = 0, w = 0, h = 0, bps = 0, spp = 0, cmap = 0;
    if (pixReadHeader(path.c_str(), &fmt, &w, &h, &bps, &spp, &cmap) != 0) {
        return kImageDamaged;
    }
    return SizeAcceptable(w, h) ? kSuccess : kImageTooLarge;
}

bool Supported(l_int32 format) {
    return format == IFF_BMP || format == IFF_JFIF_JPEG || format == IFF_PNG ||
           L_FORMAT_IS_TIFF(format) || format == IFF_PNM || format == IFF_GIF || format == IFF_WEBP;
}

// How widely the gray values of `gray` spread (their standard deviation),
// sampled on a grid of about a million points: a page with text on it spreads
// far more than one whose text vanished into its ground.
float Spread(Pix* gray) {
    const int side = std::max(pixGetWidth(gray), pixGetHeight(gray));
    float spread = 0;
    pixGetAverageMasked(gray, nullptr, 0, 0, std::max(1, side / 1024), L_STANDARD_DEVIATION,
                        &spread);
    return spread;
}

// Of the same page laid over white and over black, the one that shows its
// content: black only where it spreads clearly (twice) wider, since a page
// whose opaque parts are a photograph or a mix of colours shows on either.
PixPtr Showing(PixPtr overWhite, PixPtr overBlack) {
    if (!overWhite || !overBlack) {
        return overWhite ? std::move(overWhite) : std::move(overBlack);
    }
    return Spread(overBlack.get()) > 2 * Spread(overWhite.get()) ? std::move(overBlack)
                                                                 : std::move(overWhite);
}

// The PNG at `path` decoded straight to 8-bit gray over `backdrop`, one row
// at a time: a large colour page never exists in memory in colour (a 10000 x
// 10000 one would take 400 MB before its gray copy). `transparent` tells
// whether the file has an alpha channel.
PixPtr DecodePngGray(const std::string& path, png_byte backdrop, bool* transparent = nullptr) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return nullptr;
    }
    if (transparent != nullptr) {
        *transparent = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    }
    image.format = PNG_FORMAT_GRAY;
    PixPtr pix(pixCreate(static_cast<l_int32>(image.width), static_cast<l_int32>(image.height), 8));
    if (!pix) {
        png_image_free(&image);
        return nullptr;
    }
    const png_color ground{backdrop, backdrop, backdrop};
    const auto stride = static_cast<png_int_32>(pixGetWpl(pix.get()) * 4);
    if (png_image_finish_read(&image, &ground, pixGetData(pix.get()), stride, nullptr) == 0) {
        png_image_free(&image);
        return nullptr;
    }
    // libpng wrote the bytes in file order; Leptonica keeps them in words.
    pixEndianByteSwap(pix.get());
    return pix;
}

// A PNG in gray, a transparent one over the ground that shows its content. The
// second decoding costs time and a gray page's memory only for files with
// transparency.
PixPtr DecodePng(const std::string& path) {
    bool transparent = false;
    PixPtr overWhite = DecodePngGray(path, 255, &transparent);
    if (!overWhite || !transparent) {
        return overWhite;
    }
    return Showing(std::move(overWhite), DecodePngGray(path, 0));
}

// Pages are decoded to gray as they are read, since recognition uses the
// luminance alone and gray takes a quarter of the memory of colour.
PixPtr Decode(const std::string& path, l_int32 format, int page) {
    if (format == IFF_JFIF_JPEG) {
        // libjpeg gives no luminance of a CMYK JPEG (as print work and
        // Photoshop save them); Leptonica converts one to colour.
        l_int32 width = 0, height = 0, spp = 0, ycck = 0, cmyk = 0;
        if (readHeaderJpeg(path.c_str(), &width, &height, &spp, &ycck, &cmyk) != 0) {
            return nullptr;
        }
        // A truncated or corrupt JPEG still decodes, padded with gray; the
        // decoder's warnings tell it apart from a sound one.
        l_int32 warnings = 0;
        PixPtr pix(pixReadJpeg(path.c_str(), 0, 1, &warnings,
                               cmyk != 0 || ycck != 0 ? 0 : L_JPEG_READ_LUMINANCE));
        if (pix && pixGetDepth(pix.get()) == 32) {
            pix.reset(pixConvertRGBToLuminance(pix.get()));
        }
        return warnings == 0 ? Oriented(std::move(pix), ExifOrientationOf(path)) : nullptr;
    }
    if (format == IFF_PNG) {
        return DecodePng(path);
    }
    PixPtr pix(L_FORMAT_IS_TIFF(format) ? pixReadTiff(path.c_str(), page) : pixRead(path.c_str()));
    if (pix && pixGetDepth(pix.get()) == 32) {
        pix.reset(pixGetSpp(pix.get()) == 4 ? OverBackdrop(pix.get()).release()
                                            : pixConvertRGBToLuminance(pix.get()));
    }
    return pix;
}

}  // namespace

uint32_t ByteNumber(const unsigned char* bytes, int count, bool bigEndian) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[bigEndian ? i : count - 1 - i];
    }
    return value;
}

PixPtr OverBackdrop(Pix* page) {
    auto over = [page](l_uint32 ground) {
        PixPtr blended(pixAlphaBlendUniform(page, ground));
        return blended ? PixPtr(pixConvertRGBToLuminance(blended.get())) : nullptr;
    };
    return Showing(over(0xffffff00), over(0));
}

ResultCode ReadPages(const std::string& path, std::vector<PixPtr>& pages) {
    pages.clear();
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return kFileNotFound;
    }
    l_int32 format = IFF_UNKNOWN;
    if (findFileFormat(path.c_str(), &format) != 0 || !Supported(format)) {
        return kNotAnImage;
    }
    int pageCount = 1;
    if (ResultCode header = CheckHeader(path, format, pageCount); header != kSuccess) {
        return header;
    }
    std::vector<PixPtr> decoded;
    for (int page = 0; page < pageCount; ++page) {
        PixPtr pix = Decode(path, format, page);
        if (!pix || !SizeAcceptable(pixGetWidth(pix.get()), pixGetHeight(pix.get()))) {
            return kImageDamaged;
        }
        decoded.push_back(std::move(pix));
    }
    pages = std::move(decoded);
    return kSuccess;
}

ResultCode DecodedPages::Read(int index, PixPtr& page) {
    if (index < 0 || index >= Count() || !pages_[static_cast<size_t>(index)]) {
        return kRecognitionFailed;
    }
    // A clone shares the pixels: the page can be read again.
    page = PixPtr(pixClone(pages_[static_cast<size_t>(index)].get()));
    return kSuccess;
}

ResultCode OpenPages(const std::string& path, std::unique_ptr<PageSource>& pages) {
    pages.reset();
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return kFileNotFound;
    }
    if (LooksLikePdf(path)) {
        return OpenPdf(path, pages);
    }
    std::vector<PixPtr> decoded;
    const ResultCode read = ReadPages(path, decoded);
    if (read == kSuccess) {
        pages = std::make_unique<DecodedPages>(std::move(decoded));
    }
    return read;
}

}  // namespace engine
