#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "filecontrol/clsFileControl.h"
#include "support/TempDir.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::StrArray;
using testsupport::MakeFolder;
using testsupport::TempDir;
using testsupport::WriteBytes;

std::vector<std::string> Sorted(const StrArray& array) {
    std::vector<std::string> names = array.Items();
    std::sort(names.begin(), names.end());
    return names;
}

class ListingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(dir / "a.txt", "aaaa");
        WriteBytes(dir / "b.log", "bb");
        WriteBytes(dir / "h.txt", "h");
        ASSERT_TRUE(fc.SetFileAttr(dir / "h.txt", 2));
        MakeFolder(dir / "One");
        MakeFolder(dir / "Two.txt");
        MakeFolder(dir / "Three");
        WriteBytes(dir / "One/c.txt", "ccccccc");
        MakeFolder(dir / "One/Deep");
        WriteBytes(dir / "One/Deep/d.txt", "dddddddddd");
        WriteBytes(dir / "One/Deep/e.dat", "eeeeeeeeeeeeeeeeeeee");
    }
    TempDir dir;
    clsFileControl fc;
};

TEST_F(ListingsTest, ListingsFillOneBasedArraysOrLeaveThemAlone) {
    StrArray folders(1, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    EXPECT_EQ(fc.FoldersInFolder(dir.path(), folders), 3);
    EXPECT_EQ(folders.LBound(), 1);
    EXPECT_EQ(Sorted(folders), (std::vector<std::string>{"One", "Three", "Two.txt"}));
    StrArray again;
    EXPECT_EQ(fc.FoldersInFolder(dir.path() + "/", again), 3);

    const StrArray kept(1, {"x", "y"});
    StrArray untouched = kept;
    EXPECT_EQ(fc.FoldersInFolder(dir / "Three", untouched), 0);
    EXPECT_EQ(fc.FilesInFolder(dir.path(), untouched), 0);  // no pattern: the folder itself
    EXPECT_EQ(fc.FilesInFolder(dir / "*.none", untouched), 0);
    EXPECT_EQ(untouched.Items(), kept.Items());
    EXPECT_EQ(untouched.LBound(), 1);

    StrArray files;
    EXPECT_EQ(fc.FilesInFolder(dir / "*.txt", files), 2);  // hidden listed, folder not
    EXPECT_EQ(files.LBound(), 1);
    EXPECT_EQ(Sorted(files), (std::vector<std::string>{"a.txt", "h.txt"}));
}

TEST_F(ListingsTest, ListingsHoldMoreThanASixteenBitCount) {
    const std::string big = dir / "big";
    MakeFolder(big);
    constexpr int kCount = 33000;
    for (int i = 0; i < kCount; ++i) {
        WriteBytes(big + "/f" + std::to_string(i), "");
    }
    StrArray files;
    EXPECT_EQ(fc.FilesInFolder(big + "/*.*", files), kCount);
    EXPECT_EQ(files.UBound(), kCount);
}

TEST_F(ListingsTest, SeekFileFindsFilesNotFolders) {
    EXPECT_FALSE(fc.SeekFile(dir / "T*"));    // the folders Two.txt and Three only
    EXPECT_TRUE(fc.SeekFile(dir / "*.txt"));  // the folder Two.txt and two files
    EXPECT_FALSE(fc.SeekFile(dir / "One"));
    EXPECT_FALSE(fc.SeekFile(dir / "missing"));
    EXPECT_TRUE(fc.SeekFile(dir / "b.log"));
}

TEST_F(ListingsTest, SizeSumsAddEveryMatchingFileInFull) {
    double total = 100;
    EXPECT_EQ(fc.AddSearchFileSize(dir / "*.txt", total), "");
    EXPECT_EQ(total, 105);
    fc.AddSearchFileSize(dir / "*.txt", total);
    EXPECT_EQ(total, 110);

    EXPECT_EQ(fc.GetFolderSize(dir.path(), "*.*"), 4 + 2 + 1 + 7 + 10 + 20);
    EXPECT_EQ(fc.GetFolderSize(dir.path() + "/", "*.*"), 44);
    EXPECT_EQ(fc.GetFolderSize(dir.path(), "*.txt"), 4 + 1 + 7 + 10);
    EXPECT_EQ(fc.GetFolderSize(dir / "One", "*.*"), 37);
    EXPECT_EQ(fc.GetFolderSize(dir / "missing", "*.*"), 0);

    // A 3,000,000,000-byte file adds 3,000,000,000 (sparse: no disk used).
    WriteBytes(dir / "Three/big.bin", "");
    ASSERT_EQ(::truncate((dir / "Three/big.bin").c_str(), 3000000000LL), 0);
    EXPECT_EQ(fc.GetFolderSize(dir / "Three", "*.*"), 3000000000.0);
    double sum = 0;
    fc.AddSearchFileSize(dir / "Three/*.bin", sum);
    EXPECT_EQ(sum, 3000000000.0);
}

TEST_F(ListingsTest, FolderSizeNeverFollowsALinkBackUp) {
    ASSERT_EQ(::symlink(dir.path().c_str(), (dir / "One/Deep/up").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "One").c_str(), (dir / "Three/side").c_str()), 0);
    // The link up is not entered; the link sideways counts One's files again.
    EXPECT_EQ(fc.GetFolderSize(dir.path(), "*.*"), 44 + 37);
}

}  // namespace
