#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestImages.h"
#include "engine/ImageInput.h"
#include "engine/PageReader.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;
using testsupport::WriteBytes;

// Makes `folder` the current folder for as long as it lives.
class InFolder {
  public:
    explicit InFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

std::unique_ptr<engine::PageSource> PageOf(const std::string& path, const std::string& line) {
    testimages::WriteTextPage(path, {line});
    std::unique_ptr<engine::PageSource> pages;
    EXPECT_EQ(engine::kSuccess, engine::OpenPages(path, pages));
    return pages;
}

// A tessdata folder whose Korean and English models are not models at all.
void WriteBrokenTessdata(const TempDir& dir) {
    std::filesystem::create_directory(dir / "tessdata");
    WriteBytes(dir / "tessdata/Hangul.traineddata", "not a model");
    WriteBytes(dir / "tessdata/eng.traineddata", "not a model");
}

TEST(EngineModels, TheCurrentFoldersTessdataComesBeforeTheSystems) {
    TempDir dir;
    WriteBrokenTessdata(dir);
    std::unique_ptr<engine::PageSource> pages = PageOf(dir / "page.png", "언어 자료");
    InFolder inDir(dir.path());
    engine::PageReader recognizer;
    std::string text;
    EXPECT_EQ(engine::kNoLanguageData, recognizer.Recognize(*pages, text));
}

TEST(EngineModels, StayLoadedBetweenRecognitions) {
    TempDir dir;
    std::unique_ptr<engine::PageSource> pages = PageOf(dir / "page.png", "한 번만 불러옵니다");
    engine::PageReader recognizer;
    std::string first;
    ASSERT_EQ(engine::kSuccess, recognizer.Recognize(*pages, first));
    WriteBrokenTessdata(dir);
    InFolder inDir(dir.path());
    std::string second;
    EXPECT_EQ(engine::kSuccess, recognizer.Recognize(*pages, second));
    EXPECT_EQ(first, second);
    recognizer.Unload();
    EXPECT_EQ(engine::kNoLanguageData, recognizer.Recognize(*pages, second));
}

}  // namespace
