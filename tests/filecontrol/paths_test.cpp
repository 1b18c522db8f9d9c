#include <gtest/gtest.h>

#include "filecontrol/clsFileControl.h"

namespace {

using filecontrol::clsFileControl;

TEST(PathStringsTest, StripPathTakesTheTrimmedLastComponent) {
    clsFileControl fc;
    EXPECT_EQ(fc.StripPath("/data/a.txt"), "a.txt");
    EXPECT_EQ(fc.StripPath("/My Docs/ report.txt"), "report.txt");
    EXPECT_EQ(fc.StripPath("/data/"), "");
    EXPECT_EQ(fc.StripPath("  a.txt  "), "a.txt");
    // A backslash is an ordinary character here.
    EXPECT_EQ(fc.StripPath("/x/a\\b.txt"), "a\\b.txt");
}

TEST(PathStringsTest, StripPathHandlesLongTexts) {
    clsFileControl fc;
    const std::string longPath = std::string(40000, 'd') + "/" + std::string(40000, 'e') + "/f";
    EXPECT_EQ(fc.StripPath(longPath), "f");
}

TEST(PathStringsTest, ValidateDirAddsOneSeparator) {
    clsFileControl fc;
    EXPECT_EQ(fc.ValidateDir("/data"), "/data/");
    EXPECT_EQ(fc.ValidateDir("/data/"), "/data/");
    EXPECT_EQ(fc.ValidateDir("/data//"), "/data//");
    EXPECT_EQ(fc.ValidateDir(""), "");
}

TEST(PathStringsTest, ExtractFileNameWithAndWithoutBase) {
    clsFileControl fc;
    EXPECT_EQ(fc.ExtractFileName("/data/a.tar.gz"), "a.tar.gz");
    EXPECT_EQ(fc.ExtractFileName("/data/a.tar.gz", true), "a");
    EXPECT_EQ(fc.ExtractFileName("/data/"), "");
    EXPECT_EQ(fc.ExtractFileName("/data/", true), "");
    EXPECT_EQ(fc.ExtractFileName("README", true), "README");
    EXPECT_EQ(fc.ExtractFileName("/x/.profile", true), "");
    EXPECT_EQ(fc.ExtractFileName("/x/ spaced ", false), " spaced ");
}

}  // namespace
