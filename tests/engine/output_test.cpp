#include <gtest/gtest.h>

#include <string>

#include "engine/ResultText.h"
#include "platform/codepage.h"

namespace {

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
