#include "cli/Batch.h"

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <new>
#include <thread>

#include "app/ResultBuffer.h"
#include "engine/KorvexOCR.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/wildcard.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

bool Readable(const fs::path& path) {
    static const char* const kinds[] = {"*.png", "*.jpg", "*.jpeg", "*.tif", "*.tiff",
                                        "*.bmp", "*.gif", "*.webp", "*.pnm", "*.pbm",
                                        "*.pgm", "*.ppm", "*.pdf"};
    const std::string name = path.filename().string();
    return std::any_of(std::begin(kinds), std::end(kinds),
                       [&](const char* kind) { return platform::MatchesWildcard(name, kind); });
}

void CollectFolder(const fs::path& folder, std::vector<std::string>& inputs) {
    std::vector<std::string> found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name.front() == '.') {
            if (it->is_directory(error)) {
                it.disable_recursion_pending();
            }
            continue;
        }
        if (it->is_regular_file(error) && Readable(it->path())) {
            found.push_back(it->path().string());
        }
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
}

// What the workers share with the command, in memory mapped into every
// process: the next input to take; each input's code follows it.
struct Shared {
    std::atomic<size_t> next{0};
};

}  // namespace

std::vector<std::string> CollectInputs(const std::vector<std::string>& arguments,
                                       std::vector<std::string>& missing) {
    std::vector<std::string> inputs;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            CollectFolder(argument, inputs);
        } else if (fs::exists(argument, error)) {
            inputs.push_back(argument);
        } else {
            missing.push_back(argument);
        }
    }
    return inputs;
}

int32_t ReadOne(const std::string& input, const Options& options) {
    const std::string path = platform::FromAnsi(input);
    filecontrol::clsFileControl files;
    if (options.plain) {
        // The whole text as UTF-8, whatever the locale, and however long.
        std::string text;
        const engine::ResultCode code = engine::RecognizeDocument(path, text);
        if (code != engine::kSuccess) {
            return code;
        }
        std::ofstream out(platform::ToAnsi(app::ResultFileOf(path)), std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        return out ? code : engine::kRecognitionFailed;
    }
    // The window's form: the engine's buffer in the code page, the text, a
    // NUL, blanks to 65,000 characters.
    std::string buffer = platform::ToAnsi(app::FixedLength(""));
    buffer.push_back('\0');
    const int32_t code = KorvexOCRText_Ex(input.c_str(), buffer.data());
    buffer.resize(app::kResultLength);
    if (code == engine::kSuccess &&
        !files.WriteFile(app::ResultFileOf(path), app::FixedLength(platform::FromAnsi(buffer)))) {
        return engine::kRecognitionFailed;
    }
    return code;
}

std::vector<int32_t> ReadAll(const std::vector<std::string>& inputs, const Options& options,
                             const std::function<void(size_t done)>& progress) {
    const size_t count = inputs.size();
    const size_t bytes = sizeof(Shared) + sizeof(int32_t) * count;
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    auto* shared = new (memory) Shared;
    auto* codes = reinterpret_cast<int32_t*>(shared + 1);
    std::fill(codes, codes + count, kWorkerDied);

    // Each worker reports a finished file with one byte on the pipe; the
    // command sleeps on the pipe until then, and its end tells that every
    // worker has ended.
    int done[2];
    if (::pipe(done) != 0) {
        ::munmap(memory, bytes);
        throw std::bad_alloc();
    }
    const int workers =
        static_cast<int>(std::clamp<size_t>(options.jobs, 1, std::max<size_t>(count, 1)));
    std::vector<pid_t> children;
    for (int w = 0; w < workers; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(done[0]);
            // The workers share the cores: each reads its page's lines on
            // its share of them.
            const int cores = static_cast<int>(std::thread::hardware_concurrency());
            engine::SetRecognitionWorkers(std::max(1, cores / workers));
            for (size_t i; (i = shared->next.fetch_add(1)) < count;) {
                codes[i] = ReadOne(inputs[i], options);
                const char one = 1;
                if (::write(done[1], &one, 1) != 1) {
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
        if (pid > 0) {
            children.push_back(pid);
        }
    }
    ::close(done[1]);
    size_t finished = 0;
    char report[64];
    for (ssize_t n; (n = ::read(done[0], report, sizeof report)) != 0;) {
        if (n > 0) {
            finished += static_cast<size_t>(n);
            progress(finished);
        }
    }
    ::close(done[0]);
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    std::vector<int32_t> answers(codes, codes + count);
    shared->~Shared();
    ::munmap(memory, bytes);
    return answers;
}

std::string Describe(int32_t code) {
    switch (code) {
        case engine::kSuccess:
            return "read";
        case engine::kFileNotFound:
            return "no such file";
        case engine::kNotAnImage:
            return "not an image or PDF document";
        case engine::kImageTooLarge:
            return "too large";
        case engine::kImageDamaged:
            return "damaged";
        case engine::kEncrypted:
            return "encrypted: opens only with a password";
        case engine::kNoLanguageData:
            return "no language data";
        case kWorkerDied:
            return "the worker reading it ended abnormally";
        default:
            return "recognition failed";
    }
}

}  // namespace cli
