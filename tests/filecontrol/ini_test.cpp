#include <gtest/gtest.h>

#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

class IniTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetCodePage(""); }
    TempDir dir;
    std::string ini = dir / "settings.ini";
    clsFileControl fc;
};

TEST_F(IniTest, WriteThenReadAndEmptyValues) {
    EXPECT_NE(fc.IniWrite("Main", "Path", "/data", ini), 0);
    EXPECT_EQ(fc.IniRead("main", "path", ini), "/data");
    EXPECT_NE(fc.IniWrite("Main", "Empty", "", ini), 0);
    EXPECT_EQ(ReadBytes(ini), "[Main]\r\nPath=/data\r\nEmpty=\r\n");
    EXPECT_EQ(fc.IniRead("Main", "Empty", ini), "");
    EXPECT_EQ(fc.IniRead("Main", "Missing", ini), "");
    EXPECT_EQ(fc.IniRead("Main", "Path", dir / "missing.ini"), "");
}

TEST_F(IniTest, BlankNamesAreTestedButNotTrimmedOnTheWay) {
    WriteBytes(ini, "[ ]\r\nk=blank section\r\n");
    EXPECT_EQ(fc.IniRead("   ", "k", ini), "");
    EXPECT_EQ(fc.IniWrite("   ", "k2", "v", ini), 1);
    EXPECT_EQ(ReadBytes(ini), "[ ]\r\nk=blank section\r\nk2=v\r\n");
    EXPECT_EQ(fc.IniWrite("s", "  ", "v", ini), 0);
    EXPECT_EQ(fc.IniWrite("s", "k", "v", "  "), 0);
    EXPECT_EQ(ReadBytes(ini), "[ ]\r\nk=blank section\r\nk2=v\r\n");
    EXPECT_EQ(fc.IniRead("s", "", ini), "");
}

TEST_F(IniTest, LongValueIsCutTo254Characters) {
    WriteBytes(ini, "[s]\r\nlong=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(fc.IniRead("s", "long", ini), std::string(254, 'v'));
}

TEST_F(IniTest, WriteKeepsCommentsAndOtherSectionsByteForByte) {
    const std::string before =
        "; generated\n[First]\nalpha = 1\n# not a key\n\n[Second]\r\nbeta=2\r\n  ; indented\r\n";
    WriteBytes(ini, before);
    EXPECT_NE(fc.IniWrite("second", "BETA", "3", ini), 0);
    EXPECT_EQ(
        ReadBytes(ini),
        "; generated\n[First]\nalpha = 1\n# not a key\n\n[Second]\r\nBETA=3\r\n  ; indented\r\n");
    EXPECT_NE(fc.IniWrite("First", "gamma", "g", ini), 0);
    EXPECT_EQ(fc.IniRead("FIRST", "alpha", ini), "1");
    EXPECT_EQ(fc.IniRead("first", "gamma", ini), "g");
}

TEST_F(IniTest, KoreanValuesRoundTripInCp949) {
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    EXPECT_NE(fc.IniWrite("설정", "이름", "홍길동", ini), 0);
    const std::string bytes = ReadBytes(ini);
    EXPECT_EQ(bytes, platform::ToAnsi("[설정]\r\n이름=홍길동\r\n"));
    EXPECT_EQ(bytes.find("홍"), std::string::npos);  // not UTF-8 on disk
    EXPECT_EQ(fc.IniRead("설정", "이름", ini), "홍길동");
}

}  // namespace
