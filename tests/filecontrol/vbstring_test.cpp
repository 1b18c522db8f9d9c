#include "filecontrol/VbString.h"

#include <gtest/gtest.h>

namespace {

using namespace filecontrol::vb;

TEST(VbStringTest, CountsCharactersNotBytes) {
    EXPECT_EQ(Len("전문인식"), 4);
    EXPECT_EQ(Len("a한b"), 3);
    EXPECT_EQ(Len(std::string("a\0b", 3)), 3);
    // Bytes that are no valid UTF-8 count one each.
    EXPECT_EQ(Len("\xFF\xED\x95"), 3);
}

TEST(VbStringTest, LeftRightMidCutAtCharacters) {
    EXPECT_EQ(Left("전문인식", 2), "전문");
    EXPECT_EQ(Left("ab", 5), "ab");
    EXPECT_EQ(Left("ab", 0), "");
    EXPECT_EQ(Right("page1.jpg", 3), "jpg");
    EXPECT_EQ(Right("전문인식", 1), "식");
    EXPECT_EQ(Right("ab", 9), "ab");
    EXPECT_EQ(Mid("전문인식", 2, 2), "문인");
    EXPECT_EQ(Mid("전문인식", 3), "인식");
    EXPECT_EQ(Mid("abc", 9), "");
}

TEST(VbStringTest, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\t a \t"), "\t a \t");
    EXPECT_EQ(LTrim("  x "), "x ");
    EXPECT_EQ(RTrim("  x "), "  x");
    EXPECT_EQ(Trim("    "), "");
}

TEST(VbStringTest, UCaseChangesAsciiLettersOnly) {
    EXPECT_EQ(UCase("abc_Z한"), "ABC_Z한");
}

}  // namespace
