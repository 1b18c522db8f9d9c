// fulltext-ocr: recognises many images and PDF documents at once, on several
// worker processes, and writes each one's result file beside it.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Batch.h"

namespace {

constexpr const char* kUsage =
    "usage: fulltext-ocr [-j N] [--plain] [-q] FILE|FOLDER...\n"
    "Recognises the Korean and English text of images and PDF documents, and of\n"
    "every image and PDF in the folders given, and writes each result beside its\n"
    "input (page1.png -> page1.txt).\n"
    "  -j N      read on N worker processes (default: the number of cores)\n"
    "  --plain   write the whole text as UTF-8, instead of the window's 65,000-\n"
    "            character buffer in the locale's code page\n"
    "  -q        no progress bar\n"
    "Exit code: 0 when every file was read, 1 when one or more were not, 2 for\n"
    "wrong arguments.\n";

int Usage(const char* complaint) {
    if (complaint != nullptr) {
        std::fprintf(stderr, "fulltext-ocr: %s\n", complaint);
    }
    std::fputs(kUsage, complaint != nullptr ? stderr : stdout);
    return complaint != nullptr ? 2 : 0;
}

// A progress bar on the terminal, redrawn in place.
void DrawProgress(size_t done, size_t total) {
    constexpr int kWidth = 30;
    const int filled = total == 0 ? kWidth : static_cast<int>(done * kWidth / total);
    std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(kWidth - filled), '.').c_str(), done, total);
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
    cli::Options options;
    const long cores = ::sysconf(_SC_NPROCESSORS_ONLN);
    options.jobs = cores > 0 ? static_cast<int>(cores) : 1;
    bool quiet = false;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            return Usage(nullptr);
        }
        if (argument == "--plain") {
            options.plain = true;
        } else if (argument == "-q" || argument == "--quiet") {
            quiet = true;
        } else if (argument == "-j" || argument == "--jobs") {
            char* end = nullptr;
            const long jobs = i + 1 < argc ? std::strtol(argv[++i], &end, 10) : 0;
            if (end == nullptr || *end != '\0' || jobs < 1 || jobs > 1024) {
                return Usage("-j takes a number of workers from 1 to 1024");
            }
            options.jobs = static_cast<int>(jobs);
        } else if (argument == "--") {
            arguments.insert(arguments.end(), argv + i + 1, argv + argc);
            break;
        } else if (!argument.empty() && argument.front() == '-') {
            return Usage(("unknown option " + argument).c_str());
        } else {
            arguments.push_back(argument);
        }
    }
    if (arguments.empty()) {
        return Usage("no files or folders given");
    }

    std::vector<std::string> missing;
    const std::vector<std::string> inputs = cli::CollectInputs(arguments, missing);
    for (const std::string& name : missing) {
        std::fprintf(stderr, "fulltext-ocr: %s: no such file or folder\n", name.c_str());
    }
    const bool bar = !quiet && ::isatty(STDERR_FILENO) == 1 && !inputs.empty();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<int32_t> codes = cli::ReadAll(inputs, options, [&](size_t done) {
        if (bar) {
            DrawProgress(done, inputs.size());
        }
    });
    if (bar) {
        std::fputs("\n", stderr);
    }
    size_t read = 0;
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (codes[i] == 1) {
            ++read;
        } else {
            std::fprintf(stderr, "fulltext-ocr: %s: %s (%d)\n", inputs[i].c_str(),
                         cli::Describe(codes[i]).c_str(), codes[i]);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const size_t failed = inputs.size() - read + missing.size();
    std::printf("fulltext-ocr: %zu of %zu files read, %zu failed, %.1f s\n", read,
                inputs.size() + missing.size(), failed, seconds);
    return failed == 0 ? 0 : 1;
}
