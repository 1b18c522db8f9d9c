// The batch command's work: the files to read, the workers that read them,
// and the result file beside each.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cli {

struct Options {
    int jobs = 1;
    bool plain = false;  // whole UTF-8 text instead of the window's buffer
};

// Every file the arguments name: a file as given; a folder's images and PDF
// documents, in its whole tree, in name order (hidden entries left out).
// `missing` gets the arguments that name nothing.
std::vector<std::string> CollectInputs(const std::vector<std::string>& arguments,
                                       std::vector<std::string>& missing);

// Recognises `input` and writes its result file; the engine's result code.
int32_t ReadOne(const std::string& input, const Options& options);

// Reads `inputs` on `options.jobs` worker processes, each with the engine
// loaded once, and answers each input's result code in order. A worker that
// dies leaves the code of the file it was reading at kWorkerDied and the
// others go on. `progress` is called on this process after every file with
// the number done.
constexpr int32_t kWorkerDied = -100;
std::vector<int32_t> ReadAll(const std::vector<std::string>& inputs, const Options& options,
                             const std::function<void(size_t done)>& progress);

// What a result code says, for the user.
std::string Describe(int32_t code);

}  // namespace cli
