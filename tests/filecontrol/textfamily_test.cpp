#include <gtest/gtest.h>

#include "support/Errors.h"

#include "filecontrol/ItemReader.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::ItemReader;
using filecontrol::StrArray;
using filecontrol::VbError;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

std::vector<std::string> Items(const std::string& text) {
    ItemReader reader(text);
    std::vector<std::string> items;
    while (!reader.AtEnd()) {
        items.push_back(reader.Next());
    }
    return items;
}

using testsupport::ErrorOf;

TEST(ItemReaderTest, SplitsAtCommasAndLineEnds) {
    EXPECT_EQ(Items("a,b\r\nc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Items("a, b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Items("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Items("a ,  b  \r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Items("a,,b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Items("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(Items("").empty());
}

TEST(ItemReaderTest, QuotedItemsKeepCommasAndBlanks) {
    EXPECT_EQ(Items("\"x, y\"\r\n"), (std::vector<std::string>{"x, y"}));
    EXPECT_EQ(Items("  \" a \",b"), (std::vector<std::string>{" a ", "b"}));
    EXPECT_EQ(Items("\"multi\r\nline\",z"), (std::vector<std::string>{"multi\r\nline", "z"}));
    // Text after the closing quote up to the delimiter is dropped.
    EXPECT_EQ(Items("\"q\"junk,next"), (std::vector<std::string>{"q", "next"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(Items("\"open, never closed"), (std::vector<std::string>{"open, never closed"}));
}

class TextFamilyTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetCodePage(""); }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(TextFamilyTest, SaveAndLoadOneBasedLines) {
    const std::string path = dir / "lines.txt";
    StrArray lines(1, {"a", "b"});
    EXPECT_TRUE(fc.SaveToFile(path, lines));
    EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n");

    StrArray loaded;
    EXPECT_EQ(fc.LoadFromFile(path, loaded), 2);
    EXPECT_EQ(loaded.LBound(), 1);
    EXPECT_EQ(loaded.UBound(), 2);
    EXPECT_EQ(loaded[1], "a");
    EXPECT_EQ(loaded[2], "b");
}

TEST_F(TextFamilyTest, SaveSkipsIndexZeroAndUpperBoundZeroGivesEmptyFile) {
    const std::string path = dir / "zero.txt";
    StrArray zeroBased(0, {"skipped", "one", "two"});
    EXPECT_TRUE(fc.SaveToFile(path, zeroBased));
    EXPECT_EQ(ReadBytes(path), "one\r\ntwo\r\n");
    StrArray onlyZero(0, {"x"});
    EXPECT_TRUE(fc.SaveToFile(path, onlyZero));
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(TextFamilyTest, SaveFailuresReachTheCallerAndKeepTheFile) {
    const std::string path = dir / "keep.txt";
    WriteBytes(path, "old");
    StrArray unbound;
    EXPECT_EQ(ErrorOf([&] { fc.SaveToFile(path, unbound); }), 9);
    StrArray huge;
    huge.ReDim(0, 40000);
    EXPECT_EQ(ErrorOf([&] { fc.SaveToFile(path, huge); }), 6);
    EXPECT_EQ(ReadBytes(path), "old");
    StrArray lines(1, {"a"});
    EXPECT_EQ(ErrorOf([&] { fc.SaveToFile(dir / "missing/x.txt", lines); }), 76);
}

TEST_F(TextFamilyTest, LoadedLineWithCommaGivesTwoItems) {
    const std::string path = dir / "items.txt";
    StrArray lines(1, {"a, b"});
    fc.SaveToFile(path, lines);
    StrArray loaded;
    EXPECT_EQ(fc.LoadFromFile(path, loaded), 2);
    EXPECT_EQ(loaded[1], "a");
    EXPECT_EQ(loaded[2], "b");
}

TEST_F(TextFamilyTest, LoadOfEmptyFileLeavesArrayAndMissingFileFails) {
    const std::string path = dir / "empty.txt";
    WriteBytes(path, "");
    StrArray kept(1, {"stay"});
    EXPECT_EQ(fc.LoadFromFile(path, kept), 0);
    EXPECT_EQ(kept.Items(), std::vector<std::string>{"stay"});
    EXPECT_EQ(ErrorOf([&] { fc.LoadFromFile(dir / "missing.txt", kept); }), 53);
}

TEST_F(TextFamilyTest, LoadOfMoreThan32767ItemsOverflowsAndLosesNothing) {
    const std::string path = dir / "many.txt";
    std::string content;
    for (int i = 0; i < 32768; ++i) {
        content += "x,";
    }
    WriteBytes(path, content.substr(0, content.size() - 1));
    StrArray kept(1, {"stay"});
    EXPECT_EQ(ErrorOf([&] { fc.LoadFromFile(path, kept); }), 6);
    EXPECT_EQ(kept.Items(), std::vector<std::string>{"stay"});
    WriteBytes(path, content.substr(0, content.size() - 3));  // 32767 items
    EXPECT_EQ(fc.LoadFromFile(path, kept), 32767);
}

TEST_F(TextFamilyTest, FileLoadTrimsBlanksAndAnswersZeroForNothing) {
    const std::string path = dir / "value.txt";
    WriteBytes(path, "   ");
    EXPECT_EQ(fc.FileLoad(path), "0");
    WriteBytes(path, " x ");
    EXPECT_EQ(fc.FileLoad(path), "x");
    WriteBytes(path, "\t x \r\n");
    EXPECT_EQ(fc.FileLoad(path), "\t x \r\n");
    const std::string created = dir / "created.txt";
    EXPECT_EQ(fc.FileLoad(created), "0");
    EXPECT_TRUE(testsupport::Exists(created));
    EXPECT_EQ(ErrorOf([&] { fc.FileLoad(dir / "missing/x.txt"); }), 76);
}

TEST_F(TextFamilyTest, FileLoadReadsReadOnlyFiles) {
    const std::string path = dir / "ro.txt";
    WriteBytes(path, "42");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(fc.FileLoad(path), "42");
}

TEST_F(TextFamilyTest, FileWriteAndCodePage) {
    const std::string path = dir / "w.txt";
    fc.FileWrite(path, "");
    EXPECT_EQ(ReadBytes(path), "\r\n");
    ASSERT_TRUE(platform::SetCodePage("CP949"));
    fc.FileWrite(path, "한글");
    EXPECT_EQ(ReadBytes(path), "\xC7\xD1\xB1\xDB\r\n");
    EXPECT_EQ(fc.FileLoad(path), "한글\r\n");
    EXPECT_EQ(ErrorOf([&] { fc.FileWrite(dir / "missing/x.txt", "x"); }), 76);
}

}  // namespace
