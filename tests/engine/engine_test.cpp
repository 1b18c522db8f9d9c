#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/KorvexOCR.h"
#include "engine/ResultText.h"
#include "platform/codepage.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;
using testsupport::WriteBytes;

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

std::string BigEndian(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// The start of a PNG file whose header claims 100000 x 100000 pixels.
std::string HugePngHeader() {
    std::string chunk =
        "IHDR" + BigEndian(100000) + BigEndian(100000) + std::string("\x08\0\0\0\0", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13) + chunk + BigEndian(Crc32(chunk)) +
           BigEndian(0) + "IEND" + BigEndian(Crc32("IEND"));
}

int32_t Recognize(const std::string& path, std::string& buffer) {
    buffer.assign(engine::kResultBufferSize, ' ');
    return KorvexOCRText_Ex(path.c_str(), buffer.data());
}

TEST(EngineInput, BadImagesFailAndLeaveTheBufferAlone) {
    TempDir dir;
    std::string buffer;
    EXPECT_EQ(engine::kFileNotFound, Recognize((dir / "missing.png"), buffer));
    EXPECT_EQ(engine::kFileNotFound, Recognize(dir.path(), buffer));
    WriteBytes((dir / "text.png"), "just some text, not an image\n");
    EXPECT_EQ(engine::kNotAnImage, Recognize((dir / "text.png"), buffer));
    WriteBytes(dir / "bomb.png", HugePngHeader());
    EXPECT_EQ(engine::kImageTooLarge, Recognize((dir / "bomb.png"), buffer));
    EXPECT_EQ(std::string(engine::kResultBufferSize, ' '), buffer);
    EXPECT_EQ(engine::kBadArgument, KorvexOCRText_Ex(nullptr, buffer.data()));
}

TEST(EngineOutput, LongTextIsCutBetweenCharactersInTheCodePage) {
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    std::string text;
    for (int i = 0; i < 40000; ++i) {
        text += "가";
    }
    std::string bytes = engine::ResultBytes("a" + text, 64999);
    EXPECT_EQ(64999u, bytes.size());
    EXPECT_EQ('a', bytes[0]);
    EXPECT_EQ(platform::ToAnsi("가"), bytes.substr(bytes.size() - 2));
    EXPECT_EQ("\xb0\xa1\r\n\xb0\xa1", engine::ResultBytes("가\n가\n\n", 100));
    EXPECT_EQ("\xb0\xa1", engine::ResultBytes("가\n가", 3));
    platform::SetCodePage("");
}

}  // namespace
