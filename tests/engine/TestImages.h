// Images for the engine's tests: pages of text drawn with a Korean font at
// test time, written in any format Leptonica writes, and small files whose
// headers claim enormous images.
#pragma once

#include <string>
#include <vector>

namespace testimages {

// Draws `lines` in black on white with the NanumGothic font, each line about
// `pixelHeight` pixels high, and saves the page as a gray PNG at `path`.
void WriteTextPage(const std::string& path, const std::vector<std::string>& lines,
                   int pixelHeight = 36);

// Reads the image at `from` and writes it to `to` in Leptonica's format
// `format` (IFF_JFIF_JPEG, IFF_BMP, ...).
void Convert(const std::string& from, const std::string& to, int format);

// Writes the gray page at `from` to `to` as a CMYK JPEG the way Photoshop
// and print work save one (inverted values, Adobe marker).
void WriteCmykJpeg(const std::string& from, const std::string& to);

// Writes the gray page at `from` to `to` as a PNG of its ink alone in colour
// `rgb` on a transparent ground: each pixel's darkness becomes its opacity.
void WriteTransparentPng(const std::string& from, const std::string& to, unsigned rgb);

// The Exif segment (APP1) of a JPEG that asks viewers to turn its pixels as
// `orientation` (1 to 8) says, in either byte order.
std::string ExifSegment(int orientation, bool bigEndian);

// Writes the gray page at `from` to `to` as a camera stores it: a JPEG of the
// pixels turned back by `quarters` quarter turns clockwise, with the Exif
// segment that turns them upright again (`orientation`).
void WriteTurnedJpeg(const std::string& from, const std::string& to, int quarters, int orientation);

// Writes the page at `from`, drawn at 204 dpi both ways, as a fax machine
// sends it at standard resolution: each scan line as high as two of the page's
// rows, in black and white, as a Group 4 TIFF that says 204 x 98 dpi.
void WriteStandardFax(const std::string& from, const std::string& to);

// Writes the images at `pages` into one multi-page TIFF at `to`.
void WriteMultipageTiff(const std::vector<std::string>& pages, const std::string& to);

// Small files whose headers claim an image far too large to decode, one per
// format, as {file name, bytes}.
std::vector<std::pair<std::string, std::string>> HugeImageHeaders(const std::string& jpegSample);

// A PDF document at `path` of one page per entry of `pages`, each page the
// lines of text drawn as WriteTextPage draws them (the document carries the
// text as text too, which the engine is not to use).
void WriteTextPdf(const std::string& path, const std::vector<std::vector<std::string>>& pages);

// A small PDF document put together from `objects` (numbered from 1, the
// first the catalog), with a correct cross-reference table and `trailer`
// added to the trailer dictionary.
std::string MinimalPdf(const std::vector<std::string>& objects, const std::string& trailer = "");

// A page drawn for the reading tests: coloured areas, then blocks of text.
struct Fill {
    int left = 0, top = 0, width = 0, height = 0;
    unsigned rgb = 0;
};
struct TextBlock {
    std::vector<std::string> lines;
    int left = 0, top = 0;  // where the first line's characters start
    int pixelHeight = 36;
    double pitch = 1.6;  // the step from line to line, in character heights
    std::string family = "NanumGothic";
    unsigned rgb = 0;
};
struct DrawnPage {
    int width = 2480, height = 3508;  // A4 at 300 dpi
    std::vector<Fill> fills;
    std::vector<TextBlock> blocks;
    bool binarise = false;  // black and white with specks, as a fax sends it
};
void WriteDrawnPage(const std::string& path, const DrawnPage& page);

// The character error rate of `actual` against `expected`, white space
// ignored: edits per expected character (0.0 to 1.0 and beyond).
double CharacterErrorRate(const std::string& expected, const std::string& actual);

// The words of `text`, split at white space.
std::vector<std::string> Words(const std::string& text);

}  // namespace testimages
