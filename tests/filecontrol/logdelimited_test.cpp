#include <gtest/gtest.h>

#include "filecontrol/Clock.h"
#include "filecontrol/clsFileControl.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::StrArray;
using filecontrol::VbError;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

class LogTest : public ::testing::Test {
  protected:
    void TearDown() override { filecontrol::SetLocalClock(nullptr); }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(LogTest, LinesCarryTheStampInCallOrder) {
    const std::string log = dir / "app.log";
    filecontrol::SetLocalClock([] { return At(2024, 3, 5, 14, 7, 9); });
    EXPECT_TRUE(fc.WriteLogToFile(log, "시작"));
    filecontrol::SetLocalClock([] { return At(2009, 12, 31, 0, 0, 1); });
    EXPECT_TRUE(fc.WriteLogToFile(log, ""));
    EXPECT_EQ(ReadBytes(log), "[24.03.05 14:07:09] \t시작\r\n[09.12.31 00:00:01] \t\r\n");
}

TEST_F(LogTest, MessageWithLineBreakIsWrittenAsIs) {
    const std::string log = dir / "app.log";
    filecontrol::SetLocalClock([] { return At(2024, 1, 2, 3, 4, 5); });
    fc.WriteLogToFile(log, "a\r\nb");
    EXPECT_EQ(ReadBytes(log), "[24.01.02 03:04:05] \ta\r\nb\r\n");
}

TEST_F(LogTest, SystemClockGivesTheFormat) {
    const std::string log = dir / "app.log";
    fc.WriteLogToFile(log, "m");
    const std::string line = ReadBytes(log);
    ASSERT_EQ(line.size(), 24u);
    EXPECT_EQ(line[0], '[');
    EXPECT_EQ(line.substr(3, 1) + line.substr(6, 1) + line.substr(9, 1), ".. ");
    EXPECT_EQ(line.substr(12, 1) + line.substr(15, 1), "::");
    EXPECT_EQ(line.find_first_not_of("0123456789.: ", 1), 18u);
    EXPECT_EQ(line.substr(18), "] \tm\r\n");
}

TEST_F(LogTest, MissingFolderIsAnError) {
    EXPECT_THROW(fc.WriteLogToFile(dir / "missing/app.log", "m"), VbError);
}

TEST(FileReadcolTest, JoinsItemsWithBars) {
    TempDir dir;
    clsFileControl fc;
    const std::string path = dir / "cols.csv";
    WriteBytes(path, "a,b\r\nc\r\n");
    EXPECT_EQ(fc.FileReadcol(path, 0), "a|b|c");
    WriteBytes(path, "\"x, y\"\r\n");
    EXPECT_EQ(fc.FileReadcol(path, 1), "x, y");
    WriteBytes(path, "");
    EXPECT_EQ(fc.FileReadcol(path, 0), "");
    EXPECT_EQ(fc.FileReadcol(dir / "missing.csv", 0), "");
}

std::vector<std::string> Parse(const std::string& in, int expected,
                               const std::optional<std::string>& delimiter = ",") {
    clsFileControl fc;
    StrArray out;
    EXPECT_EQ(fc.ParseString(in, out, delimiter), expected) << in;
    return out.IsDimensioned() ? out.Items() : std::vector<std::string>{};
}

TEST(ParseStringTest, FieldsEmptyFieldsAndLeadingDelimiter) {
    EXPECT_EQ(Parse("a,b", 2), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Parse("a,,b", 3), (std::vector<std::string>{"a", " ", "b"}));
    EXPECT_EQ(Parse(",a", 2), (std::vector<std::string>{" ", "a"}));
    EXPECT_EQ(Parse("a,", 1), (std::vector<std::string>{"a"}));
    EXPECT_EQ(Parse(",,", 2), (std::vector<std::string>{" ", " "}));
    EXPECT_EQ(Parse("가,나다", 2), (std::vector<std::string>{"가", "나다"}));
}

TEST(ParseStringTest, DelimiterMissingEmptyOrLong) {
    EXPECT_EQ(Parse("a,b", 1, std::nullopt), (std::vector<std::string>{"a,b"}));
    EXPECT_EQ(Parse("a,b", 1, ""), (std::vector<std::string>{"a,b"}));
    EXPECT_EQ(Parse("xaybz", 2, "ab"), (std::vector<std::string>{"x", "ybz"}));
    EXPECT_EQ(Parse("1한2", 2, "한국"), (std::vector<std::string>{"1", "2"}));
}

TEST(ParseStringTest, EmptyInputAndFilledArray) {
    clsFileControl fc;
    StrArray kept(0, {"old"});
    EXPECT_EQ(fc.ParseString("", kept, std::string(",")), 0);
    EXPECT_EQ(kept.Items(), std::vector<std::string>{"old"});
    EXPECT_EQ(fc.ParseString("a,b", kept, std::string(",")), 2);
    EXPECT_EQ(kept.Items(), (std::vector<std::string>{"olda", "b"}));
}

TEST(ParseStringTest, MoreThan32767FieldsOverflowAndKeepTheArray) {
    clsFileControl fc;
    std::string in;
    for (int i = 0; i < 32768; ++i) {
        in += "x,";
    }
    StrArray kept(0, {"old"});
    try {
        fc.ParseString(in, kept, std::string(","));
        FAIL() << "expected overflow";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(kept.Items(), std::vector<std::string>{"old"});
    StrArray fresh;
    EXPECT_EQ(fc.ParseString(in.substr(2), fresh, std::string(",")), 32767);
}

}  // namespace
