// Whole pages read as people bring them: the order of columns and lines,
// light text on dark, sizes from title to footnote, fax pages, and the time
// and memory a blank page takes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "TestImages.h"
#include "engine/ImageInput.h"
#include "engine/KorvexOCR.h"
#include "support/Child.h"
#include "support/TempDir.h"

namespace {

using testimages::CharacterErrorRate;
using testimages::DrawnPage;
using testimages::TextBlock;
using testsupport::TempDir;

// Sentences of the kind a manual holds, short enough for half a page's width.
const std::vector<std::string> kProse = {
    "이 프로그램은 그림 속의 글자를 읽어 냅니다",   "읽은 글은 그림 옆에 텍스트 파일로 저장됩니다",
    "설정 파일은 사용자의 홈 폴더에 있습니다",      "네트워크 연결이 끊어지면 다시 시도합니다",
    "문서의 첫 쪽부터 차례대로 처리합니다",         "오류가 생기면 기록 파일에 남겨 둡니다",
    "새 버전에서는 속도가 두 배 빨라졌습니다",      "글꼴이 작으면 그림을 크게 키워서 읽습니다",
    "표와 그림은 글자로 읽지 않고 건너뜁니다",      "작업이 끝나면 결과를 화면에 보여 줍니다",
    "여러 파일을 한꺼번에 고를 수도 있습니다",      "저장하기 전에 내용을 한 번 더 확인하세요",
    "복사한 글은 다른 프로그램에 붙일 수 있습니다", "인쇄할 때는 종이 크기를 먼저 고릅니다",
    "도움말은 메뉴의 마지막 항목에 있습니다",       "PDF 문서도 쪽마다 그림으로 바꾸어 읽습니다",
};

std::vector<std::string> Slice(size_t first, size_t count) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(kProse[(first + i) % kProse.size()]);
    }
    return lines;
}

std::string Joined(const std::vector<std::vector<std::string>>& blocks) {
    std::string text;
    for (const auto& block : blocks) {
        for (const std::string& line : block) {
            text += line + "\n";
        }
    }
    return text;
}

DrawnPage PageOfSize(int width, int height) {
    DrawnPage page;
    page.width = width;
    page.height = height;
    return page;
}

std::string Read(const std::string& path) {
    std::string text;
    EXPECT_EQ(engine::kSuccess, engine::RecognizeDocument(path, text)) << path;
    return text;
}

// The lines of `text` that hold anything but blanks, and whether an empty
// line comes between two of them.
std::vector<std::string> LinesOf(const std::string& text, bool& emptyBetween) {
    std::vector<std::string> lines;
    emptyBetween = false;
    bool empty = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(start, end - start);
        if (line.find_first_not_of(' ') == std::string::npos) {
            empty = true;
        } else {
            emptyBetween = emptyBetween || (empty && !lines.empty());
            empty = false;
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

// A form-like page whose three lines repeat to the bottom, 33-pixel
// NanumBarunGothic at a pitch of 1.25, with Latin words the English model
// reads again (such a page once crashed the engine inside Tesseract).
TEST(EngineReading, AnA4PageOfLinesRepeatingInACycleIsReadInOrder) {
    TempDir dir;
    const std::vector<std::string> cycle = {"FROM 절 안의 함수가 return 값을 돌려줍니다",
                                            "서버 주소 192.168.0.1 에 연결합니다",
                                            "설정 파일은 사용자의 홈 폴더에 있습니다"};
    TextBlock block{{}, 200, 200, 33, 1.25, "NanumBarunGothic"};
    for (int i = 0; i < 75; ++i) {
        block.lines.push_back(cycle[i % 3]);
    }
    DrawnPage page;
    page.blocks = {block};
    testimages::WriteDrawnPage(dir / "form.png", page);
    const std::string text = Read(dir / "form.png");
    bool emptyBetween = false;
    EXPECT_EQ(75u, LinesOf(text, emptyBetween).size()) << text;
    EXPECT_FALSE(emptyBetween) << text;
    EXPECT_LT(CharacterErrorRate(Joined({block.lines}), text), 0.03) << text;
}

// Technical prose: names joined by underscores, which hang below a line of
// Hangul and capitals with white between them and the letters, option names
// and words of Latin letters before Korean endings. The underscores stay in
// their line, never a line of dashes of their own.
TEST(EngineReading, NamesAndOptionsInsideKoreanTextAreRead) {
    TempDir dir;
    const std::vector<std::string> lines = {"환경 변수 XZ_DEFAULTS 와 XZ_OPT 를 차례로 읽습니다",
                                            "--keep 옵션을 주면 원본 파일을 지우지 않습니다",
                                            "MAX_PATH 값보다 긴 경로는 URI로 바꾸어 씁니다"};
    DrawnPage page = PageOfSize(1654, 600);
    page.blocks = {{lines, 100, 100, 30, 1.6, "NanumGothic"}};
    testimages::WriteDrawnPage(dir / "names.png", page);
    const std::string text = Read(dir / "names.png");
    bool emptyBetween = false;
    EXPECT_EQ(3u, LinesOf(text, emptyBetween).size()) << text;
    const std::vector<std::string> words = testimages::Words(text);
    for (const char* name : {"XZ_DEFAULTS", "XZ_OPT", "MAX_PATH"}) {
        EXPECT_NE(std::find(words.begin(), words.end(), name), words.end()) << name << "\n" << text;
    }
    EXPECT_LT(CharacterErrorRate(Joined({lines}), text), 0.1) << text;
}

// A lower-case word of letters no taller than an x ("xz") read apart from
// its line keeps its case, in small print of two faces.
TEST(EngineReading, LowerCaseWordsBesideKoreanStayLowerCase) {
    TempDir dir;
    const std::vector<std::string> lines = {"압축을 풀 때는 xz 명령을 씁니다",
                                            "예를 들면, xz -9 로 압축한 파일은",
                                            "압축한 .xz 파일은 xz 명령으로 풉니다"};
    DrawnPage page = PageOfSize(1654, 600);
    page.blocks = {{lines, 100, 100, 16, 2.0, "NanumGothic"},
                   {lines, 100, 300, 16, 2.0, "NanumMyeongjo"}};
    testimages::WriteDrawnPage(dir / "lower.png", page);
    const std::string text = Read(dir / "lower.png");
    const std::vector<std::string> words = testimages::Words(text);
    auto holding = [&](const char* letters) {
        return std::count_if(words.begin(), words.end(), [&](const std::string& word) {
            return word.find(letters) != std::string::npos;
        });
    };
    EXPECT_EQ(0, holding("XZ")) << text;
    EXPECT_GE(holding("xz"), 6) << text;
}

// Two columns whose lines stand side by side at the same heights, under a
// heading that spans both: the heading, the left column, then the right.
TEST(EngineReading, TwoColumnsAreReadLeftColumnFirst) {
    TempDir dir;
    const std::vector<std::string> heading = {"두 단으로 짠 안내문"};
    const std::vector<std::string> left = Slice(0, 12);
    const std::vector<std::string> right = Slice(12, 12);
    DrawnPage page;
    page.blocks = {
        {heading, 800, 200, 60, 1.6}, {left, 150, 400, 34, 1.6}, {right, 1300, 400, 34, 1.6}};
    testimages::WriteDrawnPage(dir / "columns.png", page);
    const std::string text = Read(dir / "columns.png");
    EXPECT_LT(CharacterErrorRate(Joined({heading, left, right}), text), 0.04) << text;
}

// A slide: a light title bar with dark text, a dark body with light text,
// and an orange box with white text.
TEST(EngineReading, LightTextOnDarkAndColouredBackgroundsIsRead) {
    TempDir dir;
    const std::vector<std::string> title = {"발표 자료의 제목"};
    const std::vector<std::string> body = Slice(3, 4);
    const std::vector<std::string> boxed = Slice(9, 2);
    DrawnPage page = PageOfSize(1920, 1080);
    page.fills = {{0, 0, 1920, 190, 0xe5e5e5},
                  {0, 190, 1920, 890, 0x16213e},
                  {100, 760, 1200, 220, 0xe07020}};
    page.blocks = {{title, 120, 60, 70, 1.6, "NanumGothic", 0x202020},
                   {body, 120, 260, 44, 1.8, "NanumGothic", 0xf5f0d0},
                   {boxed, 150, 800, 44, 1.8, "NanumGothic", 0xffffff}};
    testimages::WriteDrawnPage(dir / "slide.png", page);
    const std::string text = Read(dir / "slide.png");
    EXPECT_LT(CharacterErrorRate(Joined({title, body, boxed}), text), 0.04) << text;
}

// A large title over an accent bar, body text, and small footnotes under a
// rule: every size read, neither bar nor rule read as text.
TEST(EngineReading, ATitleBodyAndFootnotesAreReadWithoutTheRules) {
    TempDir dir;
    const std::vector<std::string> title = {"사용 설명서"};
    const std::vector<std::string> body = Slice(0, 8);
    const std::vector<std::string> notes = Slice(8, 2);
    DrawnPage page;
    page.fills = {{200, 370, 700, 14, 0x3060c0}, {200, 1200, 1000, 3, 0}};
    page.blocks = {
        {title, 200, 200, 120, 1.5}, {body, 200, 500, 40, 1.6}, {notes, 200, 1240, 22, 1.6}};
    testimages::WriteDrawnPage(dir / "manual.png", page);
    const std::string text = Read(dir / "manual.png");
    EXPECT_LT(CharacterErrorRate(Joined({title, body, notes}), text), 0.04) << text;
}

// A fax: 150 dpi, black and white, with specks, which read as marks when the
// enlargement keeps them (14% of the characters wrong).
TEST(EngineReading, ABinarisedPageAt150DpiIsRead) {
    TempDir dir;
    const std::vector<std::string> lines = Slice(2, 14);
    DrawnPage page = PageOfSize(1240, 1754);
    page.blocks = {{lines, 100, 120, 21, 1.7}};
    page.binarise = true;
    testimages::WriteDrawnPage(dir / "fax.png", page);
    const std::string text = Read(dir / "fax.png");
    EXPECT_LT(CharacterErrorRate(Joined({lines}), text), 0.06) << text;
}

// A fax at standard resolution stores half as many lines as columns, and its
// TIFF says so (204 x 98 dpi): read as stored, its letters are squashed to
// half their height and misread (12% to 75% of the characters wrong).
TEST(EngineReading, AFaxAtStandardResolutionIsReadAtItsShape) {
    TempDir dir;
    const std::vector<std::string> lines = Slice(4, 12);
    DrawnPage page = PageOfSize(1728, 1100);
    page.blocks = {{lines, 170, 120, 30, 1.6}};
    testimages::WriteDrawnPage(dir / "fine.png", page);
    testimages::WriteStandardFax(dir / "fine.png", dir / "fax.tif");
    const std::string text = Read(dir / "fax.tif");
    EXPECT_LT(CharacterErrorRate(Joined({lines}), text), 0.04) << text;
}

// A blank page as large as an image may be (10000 x 10000 in colour) is seen
// to be blank before anything is done at full size: in little more time than
// decoding the file takes (zlib alone needs about a second for its 300 MB on
// a slow core), and without more memory than the gray page itself and a
// little more.
TEST(EngineReading, ALargeBlankPageIsDoneQuicklyWithBoundedMemory) {
    TempDir dir;
    testimages::WriteDrawnPage(dir / "small.png", PageOfSize(400, 200));
    {
        QImage image(10000, 10000, QImage::Format_RGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(image.save(QString::fromStdString(dir / "blank.png"), "PNG"));
    }
    const int code = testsupport::RunInChild([&] {
        // Processor time, which other tests running beside this one do not
        // stretch as they stretch the time on the clock.
        auto timed = [](auto&& work) {
            const std::clock_t start = std::clock();
            const bool done = work();
            const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            return done ? seconds : -1.0;
        };
        std::string text;
        // The models are loaded by the first recognition, not timed here.
        if (engine::RecognizeDocument(dir / "small.png", text) != engine::kSuccess) {
            return 1;
        }
        const double reading = timed([&] {
            return engine::RecognizeDocument(dir / "blank.png", text) == engine::kSuccess &&
                   text.empty();
        });
        if (reading < 0) {
            return 2;
        }
        // The peak is taken before the page is decoded again for the timing
        // of decoding alone, whose freed memory a sanitizer's allocator keeps.
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long megabytes = usage.ru_maxrss / 1024;
        const double decoding = timed([&] {
            std::vector<engine::PixPtr> pages;
            return engine::ReadPages(dir / "blank.png", pages) == engine::kSuccess;
        });
        std::printf("blank page: %.2f s (decoding %.2f s), peak %ld MB\n", reading, decoding,
                    megabytes);
        std::fflush(stdout);
        return decoding >= 0 && reading < decoding * 1.25 + 0.3 && megabytes < 400 ? 0 : 3;
    });
    EXPECT_EQ(0, code) << "1: the small page failed, 2: the blank page failed or gave text, "
                          "3: too slow or too much memory (see the line printed above)";
}

}  // namespace
