#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestImages.h"
#include "engine/KorvexOCR.h"
#include "platform/codepage.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;

const std::vector<std::string> kPage = {"파일을 열 수 없습니다", "문자 인식이 끝났습니다",
                                        "Korean and English text"};
const std::vector<std::string> kSecondPage = {"두 번째 쪽의 글자", "second page"};

// Recognises `path` and returns the text before the NUL, or fails the test.
std::string RecognizedBytes(const std::string& path) {
    std::string buffer(engine::kResultBufferSize, '\x7f');
    int32_t result = KorvexOCRText_Ex(path.c_str(), buffer.data());
    EXPECT_EQ(engine::kSuccess, result) << path;
    size_t end = buffer.find('\0');
    EXPECT_NE(std::string::npos, end) << path;
    return result == engine::kSuccess ? buffer.substr(0, end) : std::string();
}

// Every word of `lines` that is missing from `text`.
std::vector<std::string> MissingWords(const std::vector<std::string>& lines,
                                      const std::string& text) {
    std::vector<std::string> found = testimages::Words(text);
    std::vector<std::string> missing;
    for (const std::string& line : lines) {
        for (const std::string& word : testimages::Words(line)) {
            if (std::find(found.begin(), found.end(), word) == found.end()) {
                missing.push_back(word);
            }
        }
    }
    return missing;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        joined += word + " ";
    }
    return joined;
}

TEST(EngineRecognition, ARenderedKoreanPageIsReadWordForWord) {
    TempDir dir;
    const std::string page = dir / "page.png";
    testimages::WriteTextPage(page, kPage);
    const std::string text = RecognizedBytes(page);
    EXPECT_TRUE(MissingWords(kPage, text).empty())
        << "missing: " << Joined(MissingWords(kPage, text)) << "\nread: " << text;
    EXPECT_NE(std::string::npos, text.find("\r\n"));
    EXPECT_EQ(std::string::npos, text.find("\r\n\r\n\r\n"));
}

TEST(EngineRecognition, KoreanLandsInTheCodePageOfTheSystem) {
    TempDir dir;
    const std::string page = dir / "page.png";
    testimages::WriteTextPage(page, kPage);
    const std::string utf8 = RecognizedBytes(page);
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    const std::string cp949 = RecognizedBytes(page);
    const std::string expected = platform::ToAnsi(utf8);
    platform::SetCodePage("");
    EXPECT_EQ(expected, cp949);
    EXPECT_NE(std::string::npos, cp949.find("\xc6\xc4\xc0\xcf")) << "파일 in CP949";
}

TEST(EngineRecognition, EveryPageOfAMultipageTiffIsReadInOrder) {
    TempDir dir;
    testimages::WriteTextPage(dir / "one.png", kPage);
    testimages::WriteTextPage(dir / "two.png", kSecondPage);
    testimages::WriteMultipageTiff({dir / "one.png", dir / "two.png"}, dir / "pages.tif");
    const std::string text = RecognizedBytes(dir / "pages.tif");
    EXPECT_TRUE(MissingWords(kPage, text).empty()) << text;
    EXPECT_TRUE(MissingWords(kSecondPage, text).empty()) << text;
    EXPECT_LT(text.find("English"), text.find("second")) << text;
    EXPECT_NE(std::string::npos, text.find("text\r\n\r\n")) << "one blank line between pages";
    EXPECT_EQ(std::string::npos, text.find("\r\n\r\n\r\n")) << text;
}

TEST(EngineRecognition, EachImageFormatIsRead) {
    TempDir dir;
    const std::string page = dir / "page.png";
    const std::vector<std::string> lines = {"그림 형식마다 읽습니다", "every format"};
    testimages::WriteTextPage(page, lines);
    const std::pair<const char*, int> formats[] = {
        {"page.jpg", IFF_JFIF_JPEG}, {"page.bmp", IFF_BMP},      {"page.gif", IFF_GIF},
        {"page.webp", IFF_WEBP},     {"page.tif", IFF_TIFF_LZW}, {"page.pgm", IFF_PNM}};
    for (const auto& [name, format] : formats) {
        testimages::Convert(page, dir / name, format);
        const std::string text = RecognizedBytes(dir / name);
        EXPECT_TRUE(MissingWords(lines, text).empty()) << name << " read: " << text;
    }
}

// Pages as print work and design tools save them: a CMYK JPEG, and text on a
// transparent ground, dark (made to be shown on white) or light (made to be
// shown on a dark ground), as PNG and in Leptonica's other reader.
TEST(EngineRecognition, CmykAndTransparentPagesAreRead) {
    TempDir dir;
    const std::string page = dir / "page.png";
    const std::vector<std::string> lines = {"인쇄용 그림도 읽습니다", "transparent ground"};
    testimages::WriteTextPage(page, lines);
    testimages::WriteCmykJpeg(page, dir / "cmyk.jpg");
    testimages::WriteTransparentPng(page, dir / "dark.png", 0x000000);
    testimages::WriteTransparentPng(page, dir / "light.png", 0xffffff);
    testimages::WriteTransparentPng(page, dir / "yellow.png", 0xf0e040);
    testimages::Convert(dir / "light.png", dir / "light.tif", IFF_TIFF_ZIP);
    for (const char* name : {"cmyk.jpg", "dark.png", "light.png", "yellow.png", "light.tif"}) {
        const std::string text = RecognizedBytes(dir / name);
        EXPECT_TRUE(MissingWords(lines, text).empty()) << name << " read: " << text;
    }
}

// A photograph as a phone stores it: the pixels on their side or upside
// down, with Exif data that tells viewers how to turn them upright.
TEST(EngineRecognition, APhotographIsTurnedAsItsExifDataSays) {
    TempDir dir;
    const std::string page = dir / "page.png";
    const std::vector<std::string> lines = {"휴대 전화로 찍은 쪽", "turned upright"};
    testimages::WriteTextPage(page, lines);
    const std::pair<int, int> turns[] = {{3, 6}, {2, 3}, {1, 8}};
    for (const auto& [quarters, orientation] : turns) {
        const std::string photo = dir / ("photo" + std::to_string(orientation) + ".jpg");
        testimages::WriteTurnedJpeg(page, photo, quarters, orientation);
        const std::string text = RecognizedBytes(photo);
        EXPECT_TRUE(MissingWords(lines, text).empty()) << orientation << " read: " << text;
    }
}

// A page fed to the scanner on its side or upside down says nothing of it;
// its text tells which way is up.
TEST(EngineRecognition, APageScannedOnItsSideOrUpsideDownIsReadUpright) {
    TempDir dir;
    const std::string page = dir / "page.png";
    const std::vector<std::string> lines = {
        "스캐너에 옆으로 넣은 쪽도", "거꾸로 넣은 쪽도 바로 읽습니다",
        "글자의 모양이 위아래를 알려 줍니다", "한 줄 한 줄 차례대로 읽습니다",
        "pages fed the wrong way round"};
    testimages::WriteTextPage(page, lines);
    Pix* upright = pixRead(page.c_str());
    ASSERT_NE(nullptr, upright);
    for (int quarters : {1, 2, 3}) {
        const std::string turned = dir / ("turned" + std::to_string(quarters) + ".png");
        Pix* pix = pixRotateOrth(upright, quarters);
        ASSERT_EQ(0, pixWrite(turned.c_str(), pix, IFF_PNG));
        pixDestroy(&pix);
        const std::string text = RecognizedBytes(turned);
        EXPECT_TRUE(MissingWords(lines, text).empty()) << quarters << " read: " << text;
    }
    pixDestroy(&upright);
}

}  // namespace
