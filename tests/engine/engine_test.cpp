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
    // A PNG header that claims 100000 x 100000 pixels.
    std::string bomb("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\0\0\0\0", 33);
    WriteBytes((dir / "bomb.png"), bomb);
    EXPECT_NE(engine::kSuccess, Recognize((dir / "bomb.png"), buffer));
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
