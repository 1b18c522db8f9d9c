#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

using platform::FromAnsi;
using platform::SetCodePage;
using platform::ToAnsi;

class CodePageTest : public ::testing::Test {
  protected:
    void TearDown() override { SetCodePage(""); }
};

TEST_F(CodePageTest, Cp949RoundTripsKorean) {
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_EQ(ToAnsi("한글 abc"), "\xC7\xD1\xB1\xDB abc");
    EXPECT_EQ(FromAnsi("\xC7\xD1\xB1\xDB abc"), "한글 abc");
    // A syllable outside KS X 1001 that only the CP949 extension holds.
    EXPECT_EQ(FromAnsi(ToAnsi("똠")), "똠");
}

TEST_F(CodePageTest, EucKrIsTakenAsCp949) {
    ASSERT_TRUE(SetCodePage("EUC-KR"));
    EXPECT_EQ(platform::CodePageName(), "CP949");
    EXPECT_EQ(FromAnsi(ToAnsi("똠")), "똠");
}

TEST_F(CodePageTest, WhatTheCodePageCannotHoldBecomesQuestionMark) {
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_EQ(ToAnsi("a😀b"), "a?b");
    EXPECT_EQ(ToAnsi("a\xFF"
                     "b"),
              "a?b");                       // not UTF-8
    EXPECT_EQ(ToAnsi("a\xED\x95"), "a??");  // cut sequence
    EXPECT_EQ(FromAnsi("a\xFF"
                       "b"),
              "a?b");                    // not CP949
    EXPECT_EQ(FromAnsi("x\xC7"), "x?");  // lead byte at the end
}

TEST_F(CodePageTest, FitsTellsWhetherTextSurvives) {
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_TRUE(platform::FitsCodePage("한글 abc"));
    EXPECT_FALSE(platform::FitsCodePage("a😀"));
    EXPECT_FALSE(platform::FitsCodePage("a\xFF"));
    ASSERT_TRUE(SetCodePage("UTF-8"));
    EXPECT_TRUE(platform::FitsCodePage("a\xFF😀"));
}

TEST_F(CodePageTest, NulAndBlanksPassEveryCodePage) {
    const std::string text("a\0 \0b", 5);
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_EQ(ToAnsi(text), text);
    EXPECT_EQ(FromAnsi(text), text);
}

TEST_F(CodePageTest, Utf8PassesBytesUnchanged) {
    ASSERT_TRUE(SetCodePage("UTF-8"));
    EXPECT_TRUE(platform::CodePageIsUtf8());
    const std::string bytes = "\xFF\xFE\xC7 한";
    EXPECT_EQ(ToAnsi(bytes), bytes);
    EXPECT_EQ(FromAnsi(bytes), bytes);
}

TEST_F(CodePageTest, UnknownNameIsRefusedAndChangesNothing) {
    ASSERT_TRUE(SetCodePage("CP949"));
    EXPECT_FALSE(SetCodePage("NO-SUCH-CHARSET"));
    EXPECT_EQ(platform::CodePageName(), "CP949");
}

TEST_F(CodePageTest, CAndPosixLocalesCountAsUtf8) {
    EXPECT_EQ(platform::CodePageForLocale("C"), "UTF-8");
    EXPECT_EQ(platform::CodePageForLocale("POSIX"), "UTF-8");
    // An unknown locale name falls back to UTF-8 rather than failing.
    EXPECT_EQ(platform::CodePageForLocale("xx_NOWHERE.NONE"), "UTF-8");
}

TEST_F(CodePageTest, EmptyNameReturnsToTheLocale) {
    ASSERT_TRUE(SetCodePage("CP949"));
    ASSERT_TRUE(SetCodePage(""));
    EXPECT_EQ(platform::CodePageName(), platform::CodePageForLocale(""));
}

}  // namespace
