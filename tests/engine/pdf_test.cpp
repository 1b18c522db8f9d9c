#include <gtest/gtest.h>

#include <chrono>

#include "TestImages.h"
#include "engine/KorvexOCR.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;
using testsupport::WriteBytes;

// A catalog and a page tree of one page, whose tree claims `count` pages and
// whose page is `width` x `height` points.
std::string OnePagePdf(long count, long width, long height, const std::string& trailer = "") {
    return testimages::MinimalPdf(
        {"<< /Type /Catalog /Pages 2 0 R >>",
         "<< /Type /Pages /Kids [3 0 R] /Count " + std::to_string(count) + " >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " +
             std::to_string(height) + "] >>",
         "<< /Filter /Standard /V 1 /R 2 /Length 40 /P -44"
         " /O <6c2f5f7b8a3f0c4d1e2f3a4b5c6d7e8f9a0b1c2d3e4f5a6b7c8d9e0f1a2b3c4d>"
         " /U <0f1e2d3c4b5a69788796a5b4c3d2e1f00f1e2d3c4b5a69788796a5b4c3d2e1f0> >>"},
        trailer);
}

// A document that really holds `count` pages.
std::string ManyPagesPdf(int count) {
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", ""};
    std::string kids;
    for (int i = 0; i < count; ++i) {
        kids += std::to_string(i + 3) + " 0 R ";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>");
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>";
    return testimages::MinimalPdf(objects);
}

TEST(EnginePdf, EveryPageIsReadInOrderFromItsImage) {
    TempDir dir;
    testimages::WriteTextPdf(dir / "two.pdf", {{"첫째 쪽의 글입니다"}, {"둘째 쪽의 글입니다"}});
    std::string text;
    ASSERT_EQ(engine::RecognizeDocument(dir / "two.pdf", text), engine::kSuccess);
    const size_t first = text.find("첫째");
    const size_t second = text.find("둘째");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_LT(first, second);
    EXPECT_NE(text.find("\n\n", first), std::string::npos) << "no blank line between the pages";
}

TEST(EnginePdf, DamagedEncryptedAndOversizedDocumentsAreRefusedQuickly) {
    TempDir dir;
    const struct {
        const char* name;
        std::string bytes;
        engine::ResultCode code;
    } cases[] = {
        {"damaged.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 9 0 R", engine::kImageDamaged},
        {"encrypted.pdf",
         OnePagePdf(1, 595, 842,
                    "/Encrypt 4 0 R /ID [<00112233445566778899aabbccddeeff>"
                    "<00112233445566778899aabbccddeeff>]"),
         engine::kEncrypted},
        {"claims.pdf", OnePagePdf(100000, 595, 842), engine::kImageDamaged},
        {"many.pdf", ManyPagesPdf(6000), engine::kImageTooLarge},
        {"huge.pdf", OnePagePdf(1, 100000, 100000), engine::kImageTooLarge},
    };
    for (const auto& c : cases) {
        WriteBytes(dir / c.name, c.bytes);
        const auto start = std::chrono::steady_clock::now();
        std::string text = "untouched";
        EXPECT_EQ(engine::RecognizeDocument(dir / c.name, text), c.code) << c.name;
        EXPECT_EQ(text, "untouched") << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.name;
    }
}

}  // namespace
