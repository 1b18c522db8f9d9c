#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "filecontrol/clsFileControl.h"
#include "platform/process.h"
#include "support/Errors.h"
#include "support/TempDir.h"
#include "support/ui_recorder.h"

namespace {

using filecontrol::clsFileControl;
using testsupport::Exists;
using testsupport::MakeFolder;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

class CopyingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fc.FileCopy = [this](const std::string& name, bool& F_Cancel) {
            events.push_back(name);
            F_Cancel = cancelOn(name);
        };
        MakeFolder(dir / "src");
        MakeFolder(dir / "dst");
    }
    TempDir dir;
    clsFileControl fc;
    platform::RecordingUserInterface ui;
    std::vector<std::string> events;
    std::function<bool(const std::string&)> cancelOn = [](const std::string&) { return false; };
};

TEST_F(CopyingTest, SingleFileCopiesNamingTheWholeSourceAndNeverTruncatesItself) {
    const std::string source = dir / "src/a.txt";
    WriteBytes(source, "a");
    EXPECT_TRUE(fc.Copy_File(source, dir / "dst/b.txt"));
    EXPECT_EQ(ReadBytes(dir / "dst/b.txt"), "a");
    EXPECT_EQ(events, std::vector<std::string>{source});

    WriteBytes(dir / "dst/old.txt", "old");
    ASSERT_EQ(::link(source.c_str(), (dir / "src/same.txt").c_str()), 0);
    EXPECT_FALSE(fc.Copy_File(source, dir / "dst/old.txt", false));
    EXPECT_FALSE(fc.Copy_File(dir / "src/missing", dir / "dst/x"));
    EXPECT_FALSE(fc.Copy_File(source, source));
    EXPECT_FALSE(fc.Copy_File(source, dir / "src/same.txt"));
    EXPECT_EQ(ReadBytes(dir / "dst/old.txt"), "old");
    EXPECT_EQ(ReadBytes(source), "a");
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(testsupport::ErrorOf([&] { fc.Copy_File("a.txt", dir / "dst/x"); }),
              filecontrol::vberr::kInvalidCall);
}

TEST_F(CopyingTest, PatternCopiesInSortedOrderAndIgnoresACancel) {
    for (const char* name : {"c.txt", "A.txt", "b.txt", "skip.log"}) {
        WriteBytes(dir / "src" + "/" + name, name);
    }
    cancelOn = [](const std::string&) { return true; };
    EXPECT_TRUE(fc.Copy_File(dir / "src/*.txt", dir / "dst/"));
    EXPECT_EQ(events, (std::vector<std::string>{"A.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(ReadBytes(dir / "dst/b.txt"), "b.txt");
    EXPECT_FALSE(Exists(dir / "dst/skip.log"));
    EXPECT_FALSE(fc.Copy_File(dir / "src/*.none", dir / "dst/"));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CopyingTest, CopyFolderRaisesAnEventPerFileAndSubfolderAndPumpsPerFile) {
    WriteBytes(dir / "src/one", "1");
    WriteBytes(dir / "src/two", "2");
    MakeFolder(dir / "src/sub");
    WriteBytes(dir / "src/sub/three", "3");
    EXPECT_TRUE(fc.CopyFolder(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadBytes(dir / "dst/src/sub/three"), "3");
    EXPECT_EQ(ReadBytes(dir / "dst/src/two"), "2");
    ASSERT_EQ(events.size(), 4u);
    const auto at = [&](const std::string& name) {
        return std::find(events.begin(), events.end(), name) - events.begin();
    };
    EXPECT_EQ(at("sub"), at("three") + 1);
    EXPECT_EQ(ui.doEventsCount, 3);

    MakeFolder(dir / "empty");
    EXPECT_TRUE(fc.CopyFolder(dir / "empty", dir / "dst"));
    EXPECT_TRUE(Exists(dir / "dst/empty"));
    EXPECT_TRUE(fc.CopyFolder(dir / "missing", dir / "dst"));
    EXPECT_TRUE(Exists(dir / "dst/missing"));
    EXPECT_FALSE(fc.CopyFolder(dir / "src", dir / "nowhere/deeper"));
    EXPECT_EQ(events.size(), 4u);
}

TEST_F(CopyingTest, ACancelOrFailureBelowStopsEveryLevel) {
    MakeFolder(dir / "src/sub");
    WriteBytes(dir / "src/sub/inner", "i");
    cancelOn = [](const std::string& name) { return name == "inner"; };
    EXPECT_FALSE(fc.CopyFolder(dir / "src", dir / "dst"));
    EXPECT_EQ(events, std::vector<std::string>{"inner"});
    EXPECT_TRUE(Exists(dir / "dst/src/sub/inner"));

    cancelOn = [](const std::string&) { return false; };
    WriteBytes(dir / "dst/src/sub/inner", "old");
    EXPECT_FALSE(fc.CopyFolder(dir / "src", dir / "dst", false));
    EXPECT_EQ(ReadBytes(dir / "dst/src/sub/inner"), "old");
}

TEST_F(CopyingTest, AFolderIsNeverCopiedIntoItselfAndLinksStayLinks) {
    WriteBytes(dir / "src/file", "f");
    MakeFolder(dir / "src/deep");
    ASSERT_EQ(::symlink("..", (dir / "src/deep/up").c_str()), 0);
    for (const std::string& into : {dir / "src", dir / "src/deep", dir / "src/deep/up"}) {
        EXPECT_FALSE(fc.CopyFolder(dir / "src", into)) << into;
    }
    EXPECT_FALSE(Exists(dir / "src/src"));
    EXPECT_FALSE(Exists(dir / "src/deep/src"));
    EXPECT_TRUE(events.empty());

    EXPECT_TRUE(fc.CopyFolder(dir / "src", dir / "dst"));
    char target[16] = {};
    EXPECT_EQ(::readlink((dir / "dst/src/deep/up").c_str(), target, sizeof target - 1), 2);
    EXPECT_STREQ(target, "..");
}

}  // namespace
