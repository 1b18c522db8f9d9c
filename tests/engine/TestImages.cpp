#include "TestImages.h"

#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "platform/text.h"
#include "support/TempDir.h"
#include "support/TextPage.h"

namespace testimages {

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string BigEndian32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string LittleEndian16(uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8)};
}

std::string LittleEndian32(uint32_t value) {
    return LittleEndian16(value & 0xFFFF) + LittleEndian16(value >> 16);
}

std::string PngChunk(const std::string& type, const std::string& data) {
    return BigEndian32(data.size()) + type + data + BigEndian32(Crc32(type + data));
}

std::string HugePng() {
    std::string header = BigEndian32(100000) + BigEndian32(100000) + std::string("\x08\0\0\0\0", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IEND", "");
}

// A GIF with a small logical screen whose one frame is enormous.
std::string HugeGifFrame() {
    std::string gif = "GIF89a" + LittleEndian16(100) + LittleEndian16(100) + std::string(3, '\0');
    gif += "\x2c" + LittleEndian16(0) + LittleEndian16(0) + LittleEndian16(20000) +
           LittleEndian16(20000) + std::string(1, '\0');
    gif += std::string("\x02\x02\x4c\x01\x00\x3b", 6);
    return gif;
}

// A little-endian TIFF whose one page is 100000 x 100000 bilevel pixels.
std::string HugeTiff() {
    struct Entry {
        uint16_t tag, type;
        uint32_t value;
    };
    const Entry entries[] = {{256, 4, 100000}, {257, 4, 100000}, {258, 3, 1},
                             {259, 3, 1},      {262, 3, 0},      {273, 4, 8},
                             {277, 3, 1},      {278, 4, 100000}, {279, 4, 1250000000}};
    std::string tiff = "II*" + std::string(1, '\0') + LittleEndian32(8);
    tiff += LittleEndian16(std::size(entries));
    for (const Entry& entry : entries) {
        tiff += LittleEndian16(entry.tag) + LittleEndian16(entry.type) + LittleEndian32(1);
        tiff += entry.type == 3 ? LittleEndian16(entry.value) + LittleEndian16(0)
                                : LittleEndian32(entry.value);
    }
    return tiff + LittleEndian32(0);
}

std::string HugeBmp() {
    std::string info = LittleEndian32(40) + LittleEndian32(50000) + LittleEndian32(50000) +
                       LittleEndian16(1) + LittleEndian16(24) + std::string(24, '\0');
    return "BM" + LittleEndian32(54) + LittleEndian32(0) + LittleEndian32(54) + info;
}

// A lossless WebP whose header claims the format's largest size, 16384 x 16384.
std::string HugeWebp() {
    std::string bits = "\x2f" + LittleEndian32(16383u | (16383u << 14)) + std::string(3, '\0');
    std::string chunk = "VP8L" + LittleEndian32(bits.size()) + bits;
    return "RIFF" + LittleEndian32(4 + chunk.size()) + "WEBP" + chunk;
}

// The JPEG `sample` with its frame header changed to claim 65000 x 65000 pixels.
std::string HugeJpeg(std::string sample) {
    for (size_t i = 2; i + 9 < sample.size(); ++i) {
        unsigned char marker = sample[i + 1];
        if (static_cast<unsigned char>(sample[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            std::string size = {'\xfd', '\xe8', '\xfd', '\xe8'};
            sample.replace(i + 5, 4, size);
            return sample;
        }
    }
    ADD_FAILURE() << "the JPEG sample has no frame header";
    return sample;
}

}  // namespace

void WriteTextPage(const std::string& path, const std::vector<std::string>& lines,
                   int pixelHeight) {
    QStringList texts;
    for (const std::string& line : lines) {
        texts << QString::fromStdString(line);
    }
    QImage image = testsupport::DrawTextPage(texts, pixelHeight);
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
}

void WriteDrawnPage(const std::string& path, const DrawnPage& page) {
    QImage image(page.width, page.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const Fill& fill : page.fills) {
        painter.fillRect(fill.left, fill.top, fill.width, fill.height, QColor(QRgb(fill.rgb)));
    }
    for (const TextBlock& block : page.blocks) {
        QFont font(QString::fromStdString(block.family));
        font.setPixelSize(block.pixelHeight);
        painter.setFont(font);
        painter.setPen(QColor(QRgb(block.rgb)));
        const QFontMetrics metrics(font);
        for (size_t i = 0; i < block.lines.size(); ++i) {
            const int baseline = block.top + metrics.ascent() +
                                 static_cast<int>(i * block.pitch * block.pixelHeight);
            painter.drawText(block.left, baseline, QString::fromStdString(block.lines[i]));
        }
    }
    painter.end();
    QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    if (page.binarise) {
        // Threshold, then specks of one or two pixels where a fax line's
        // noise would put them, as often as a noisy fax has them, from a
        // fixed sequence.
        uint32_t state = 12345;
        auto next = [&state] { return state = state * 1103515245u + 12345u; };
        for (int y = 0; y < gray.height(); ++y) {
            uchar* row = gray.scanLine(y);
            for (int x = 0; x < gray.width(); ++x) {
                row[x] = row[x] < 150 ? 0 : 255;
                if ((next() >> 8) % 300 == 0) {
                    row[x] = 0;
                    row[std::min(x + 1, gray.width() - 1)] = 0;
                }
            }
        }
        gray = gray.convertToFormat(QImage::Format_Mono);
    }
    ASSERT_TRUE(gray.save(QString::fromStdString(path), "PNG")) << path;
}

double CharacterErrorRate(const std::string& expected, const std::string& actual) {
    auto characters = [](const std::string& text) {
        std::vector<char32_t> found;
        for (size_t at = 0; at < text.size();) {
            const size_t length = std::max<size_t>(1, platform::Utf8SequenceLength(text, at));
            const char32_t c = platform::Utf8CodePoint(text, at, length);
            if (c != U' ' && c != U'\n' && c != U'\r' && c != U'\t') {
                found.push_back(c);
            }
            at += length;
        }
        return found;
    };
    const std::vector<char32_t> a = characters(expected);
    const std::vector<char32_t> b = characters(actual);
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return static_cast<double>(row[b.size()]) / static_cast<double>(std::max<size_t>(a.size(), 1));
}

void Convert(const std::string& from, const std::string& to, int format) {
    Pix* pix = pixRead(from.c_str());
    ASSERT_NE(nullptr, pix) << from;
    EXPECT_EQ(0, pixWrite(to.c_str(), pix, format)) << to;
    pixDestroy(&pix);
}

void WriteCmykJpeg(const std::string& from, const std::string& to) {
    const QImage page(QString::fromStdString(from));
    ASSERT_FALSE(page.isNull()) << from;
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    FILE* out = std::fopen(to.c_str(), "wb");
    ASSERT_NE(nullptr, out) << to;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(gray.width());
    info.image_height = static_cast<JDIMENSION>(gray.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    // Inverted CMYK: no cyan, magenta or yellow (255), black ink stored as
    // the page's gray.
    std::vector<JSAMPLE> row(static_cast<size_t>(gray.width()) * 4, 255);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* source = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            row[static_cast<size_t>(x) * 4 + 3] = source[x];
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

void WriteTransparentPng(const std::string& from, const std::string& to, unsigned rgb) {
    const QImage page(QString::fromStdString(from));
    ASSERT_FALSE(page.isNull()) << from;
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    QImage ink(gray.size(), QImage::Format_ARGB32);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* source = gray.constScanLine(y);
        auto* target = reinterpret_cast<QRgb*>(ink.scanLine(y));
        for (int x = 0; x < gray.width(); ++x) {
            target[x] = (static_cast<QRgb>(255 - source[x]) << 24) | (rgb & 0xffffff);
        }
    }
    ASSERT_TRUE(ink.save(QString::fromStdString(to), "PNG")) << to;
}

std::string ExifSegment(int orientation, bool bigEndian) {
    auto number = [bigEndian](uint32_t value, int bytes) {
        std::string out = bytes == 2 ? LittleEndian16(value) : LittleEndian32(value);
        return bigEndian ? std::string(out.rbegin(), out.rend()) : out;
    };
    // TIFF header, then one IFD of one entry: Orientation, SHORT, count 1.
    const std::string tiff = std::string(bigEndian ? "MM\0*" : "II*\0", 4) + number(8, 4) +
                             number(1, 2) + number(0x0112, 2) + number(3, 2) + number(1, 4) +
                             number(static_cast<uint32_t>(orientation), 2) + number(0, 2) +
                             number(0, 4);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const size_t length = body.size() + 2;
    return std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
           static_cast<char>(length & 0xFF) + body;
}

void WriteTurnedJpeg(const std::string& from, const std::string& to, int quarters,
                     int orientation) {
    Pix* page = pixRead(from.c_str());
    ASSERT_NE(nullptr, page) << from;
    Pix* turned = pixRotateOrth(page, quarters);
    pixDestroy(&page);
    ASSERT_NE(nullptr, turned);
    const std::string plain = to + ".plain.jpg";
    EXPECT_EQ(0, pixWrite(plain.c_str(), turned, IFF_JFIF_JPEG));
    pixDestroy(&turned);
    // The Exif segment goes right after the start-of-image marker.
    const std::string bytes = testsupport::ReadBytes(plain);
    ASSERT_EQ("\xFF\xD8", bytes.substr(0, 2));
    testsupport::WriteBytes(to,
                            bytes.substr(0, 2) + ExifSegment(orientation, false) + bytes.substr(2));
}

void WriteStandardFax(const std::string& from, const std::string& to) {
    Pix* page = pixRead(from.c_str());
    ASSERT_NE(nullptr, page) << from;
    Pix* gray = pixConvertTo8(page, 0);
    pixDestroy(&page);
    ASSERT_NE(nullptr, gray);
    const l_int32 width = pixGetWidth(gray), height = pixGetHeight(gray) / 2;
    Pix* fax = pixCreate(width, height, 1);
    ASSERT_NE(nullptr, fax);
    for (l_int32 y = 0; y < height; ++y) {
        for (l_int32 x = 0; x < width; ++x) {
            l_uint32 upper = 0, lower = 0;
            pixGetPixel(gray, x, 2 * y, &upper);
            pixGetPixel(gray, x, 2 * y + 1, &lower);
            pixSetPixel(fax, x, y, upper + lower < 2 * 150 ? 1 : 0);
        }
    }
    pixDestroy(&gray);
    pixSetResolution(fax, 204, 98);
    EXPECT_EQ(0, pixWriteTiff(to.c_str(), fax, IFF_TIFF_G4, "w"));
    pixDestroy(&fax);
}

void WriteMultipageTiff(const std::vector<std::string>& pages, const std::string& to) {
    for (size_t i = 0; i < pages.size(); ++i) {
        Pix* pix = pixRead(pages[i].c_str());
        ASSERT_NE(nullptr, pix) << pages[i];
        EXPECT_EQ(0, pixWriteTiff(to.c_str(), pix, IFF_TIFF_ZIP, i == 0 ? "w" : "a"));
        pixDestroy(&pix);
    }
}

std::vector<std::pair<std::string, std::string>> HugeImageHeaders(const std::string& jpegSample) {
    return {{"huge.png", HugePng()},           {"huge.gif", HugeGifFrame()},
            {"huge.tif", HugeTiff()},          {"huge.bmp", HugeBmp()},
            {"huge.webp", HugeWebp()},         {"huge.pgm", "P5\n50000 50000\n255\n"},
            {"huge.jpg", HugeJpeg(jpegSample)}};
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

void WriteTextPdf(const std::string& path, const std::vector<std::vector<std::string>>& pages) {
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A5));
    QPainter painter(&writer);
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(60);  // 5 mm letters at 300 dpi
    painter.setFont(font);
    for (size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            writer.newPage();
        }
        int y = 200;
        for (const std::string& line : pages[page]) {
            painter.drawText(150, y, QString::fromStdString(line));
            y += 120;
        }
    }
}

std::string MinimalPdf(const std::vector<std::string>& objects, const std::string& trailer) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R " + trailer +
           " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace testimages
