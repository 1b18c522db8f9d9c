// The batch command, run as a user runs it, on a folder drawn at test time.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TestImages.h"
#include "support/Child.h"
#include "support/TempDir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::TempDir;

testsupport::CommandResult RunBatch(const std::string& arguments) {
    return testsupport::RunCommand(std::string(BATCH_COMMAND) + " " + arguments + " 2>&1");
}

// Every result file below `folder`, by path, with its content.
std::map<std::string, std::string> Results(const std::string& folder) {
    std::map<std::string, std::string> results;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") {
            results[entry.path().string()] = ReadBytes(entry.path().string());
            std::filesystem::remove(entry.path());
        }
    }
    return results;
}

TEST(BatchCommand, AFolderOfImagesAPdfAndABadFileGivesFourResultsAndAFailure) {
    TempDir dir;
    const std::string in = dir / "in";
    std::filesystem::create_directories(in + "/more");
    testimages::WriteTextPage(in + "/one.png", {"첫 번째 그림입니다"});
    testimages::WriteTextPage(in + "/two.png", {"두 번째 그림입니다"});
    testimages::WriteTextPage(in + "/more/three.png", {"세 번째 그림입니다"});
    testimages::WriteTextPdf(in + "/doc.pdf", {{"문서의 첫 쪽"}, {"문서의 둘째 쪽"}});
    testsupport::WriteBytes(in + "/bad.png", "no image here");

    const auto serial = RunBatch("-q -j 1 '" + in + "'");
    EXPECT_EQ(serial.exitCode, 1) << serial.output;
    EXPECT_NE(serial.output.find("4 of 5 files read, 1 failed"), std::string::npos)
        << serial.output;
    EXPECT_NE(serial.output.find("bad.png: not an image"), std::string::npos) << serial.output;
    const auto first = Results(in);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_NE(first.at(in + "/doc.txt").find("둘째"), std::string::npos);
    // The window's buffer: the text, a NUL, blanks to 65,000 characters, CR LF.
    const std::string& buffer = first.at(in + "/one.txt");
    EXPECT_NE(buffer.find('\0'), std::string::npos);
    EXPECT_EQ(buffer.substr(buffer.size() - 4), "  \r\n");
    EXPECT_GT(buffer.size(), 65000u);

    const auto parallel = RunBatch("-q -j 2 '" + in + "'");
    EXPECT_EQ(parallel.exitCode, 1);
    EXPECT_EQ(Results(in), first);

    const auto plain = RunBatch("-q --plain '" + in + "/one.png'");
    EXPECT_EQ(plain.exitCode, 0) << plain.output;
    EXPECT_NE(ReadBytes(in + "/one.txt").find("번째 그림"), std::string::npos);
    EXPECT_LT(ReadBytes(in + "/one.txt").size(), 200u) << "plain text has no padding";
    EXPECT_EQ(RunBatch("-j 0 x").exitCode, 2);
}

}  // namespace
