#include <gtest/gtest.h>
#include <leptonica/allheaders.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

#include "TestImages.h"
#include "engine/KorvexOCR.h"
#include "engine/Orientation.h"
#include "support/TempDir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

const std::string kUntouched(engine::kResultBufferSize, ' ');

int32_t Recognize(const std::string& path, std::string& buffer) {
    buffer = kUntouched;
    return KorvexOCRText_Ex(path.c_str(), buffer.data());
}

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(EngineInput, MissingFilesFoldersAndNonImagesFail) {
    TempDir dir;
    std::string buffer;
    EXPECT_EQ(engine::kFileNotFound, Recognize(dir / "missing.png", buffer));
    EXPECT_EQ(engine::kFileNotFound, Recognize(dir.path(), buffer));
    EXPECT_EQ(engine::kFileNotFound, Recognize("", buffer));
    WriteBytes(dir / "text.png", "just some text, not an image\n");
    EXPECT_EQ(engine::kNotAnImage, Recognize(dir / "text.png", buffer));
    WriteBytes(dir / "empty.png", "");
    EXPECT_EQ(engine::kNotAnImage, Recognize(dir / "empty.png", buffer));
    EXPECT_EQ(kUntouched, buffer);
    EXPECT_EQ(engine::kBadArgument, KorvexOCRText_Ex(nullptr, buffer.data()));
    EXPECT_EQ(engine::kBadArgument, KorvexOCRText_Ex((dir / "text.png").c_str(), nullptr));
}

TEST(EngineInput, TruncatedFilesOfEveryFormatFail) {
    TempDir dir;
    const std::string page = dir / "source.png";
    testimages::WriteTextPage(page, {"잘린 파일은 읽지 않습니다", "Truncated files fail"});
    const std::pair<const char*, int> formats[] = {
        {"page.png", IFF_PNG}, {"page.jpg", IFF_JFIF_JPEG}, {"page.tif", IFF_TIFF_ZIP},
        {"page.bmp", IFF_BMP}, {"page.gif", IFF_GIF},       {"page.webp", IFF_WEBP},
        {"page.pgm", IFF_PNM}};
    for (const auto& [name, format] : formats) {
        const std::string whole = dir / (std::string("whole-") + name);
        testimages::Convert(page, whole, format);
        const std::string bytes = ReadBytes(whole);
        ASSERT_GT(bytes.size(), 1000u) << name;
        WriteBytes(dir / name, bytes.substr(0, bytes.size() * 3 / 5));
        std::string buffer;
        int32_t result = Recognize(dir / name, buffer);
        EXPECT_TRUE(result == engine::kImageDamaged || result == engine::kNotAnImage)
            << name << " answered " << result;
        EXPECT_EQ(kUntouched, buffer) << name;
    }
}

TEST(EngineInput, HugeImagesAreRefusedFromTheirHeaderAlone) {
    TempDir dir;
    testimages::WriteTextPage(dir / "page.png", {"작은 그림"});
    testimages::Convert(dir / "page.png", dir / "sample.jpg", IFF_JFIF_JPEG);
    const long memoryBefore = PeakMemoryKiB();
    for (const auto& [name, bytes] : testimages::HugeImageHeaders(ReadBytes(dir / "sample.jpg"))) {
        WriteBytes(dir / name, bytes);
        std::string buffer;
        const auto start = std::chrono::steady_clock::now();
        int32_t result = Recognize(dir / name, buffer);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(engine::kImageTooLarge, result) << name;
        EXPECT_LT(elapsed, std::chrono::seconds(2)) << name;
        EXPECT_EQ(kUntouched, buffer) << name;
    }
    EXPECT_LT(PeakMemoryKiB() - memoryBefore, 256 * 1024);
}

TEST(EngineInput, ExifOrientationIsReadInEitherByteOrderAndIgnoredWhenMalformed) {
    const std::string start("\xFF\xD8", 2);
    const std::string jfif = std::string("\xFF\xE0\x00\x10JFIF\0", 9) + std::string(9, '\0');
    const std::string little = testimages::ExifSegment(6, false);
    const std::pair<std::string, int> cases[] = {
        {start + jfif + little, 6},
        {start + testimages::ExifSegment(8, true), 8},
        {start + jfif, 1},                                  // no Exif data
        {start + little.substr(0, little.size() - 10), 1},  // cut off inside its entry
        {start + testimages::ExifSegment(9, false), 1},     // no such orientation
        {little, 1},                                        // not a JPEG
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(expected, engine::ExifOrientation(bytes)) << bytes.size() << " bytes";
    }
}

}  // namespace
