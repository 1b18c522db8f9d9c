#include "engine/PageReader.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <thread>

#include "engine/Layout.h"
#include "engine/Orientation.h"
#include "engine/Preprocess.h"
#include "engine/Recognizer.h"
#include "platform/text.h"

namespace engine {

namespace {

int DefaultWorkers() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, PageReader::kMaxWorkers);
}

// Punctuation, dashes, arrows, box drawing, shapes and the full-width
// punctuation of CJK text: marks, not letters.
bool IsMark(char32_t c) {
    return (c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x206F) ||
           (c >= 0x2190 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
           (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
}

// A line read as nothing but punctuation and symbols ("———", "[=]") is what
// the recogniser makes of leftover specks and strokes, not text.
bool HasLetterOrDigit(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = platform::Utf8SequenceLength(text, at);
        if (length == 0) {
            ++at;
            continue;
        }
        const char32_t c = platform::Utf8CodePoint(text, at, length);
        if (c < 0x80 ? std::isalnum(static_cast<int>(c)) != 0 : !IsMark(c)) {
            return true;
        }
        at += length;
    }
    return false;
}

}  // namespace

PageReader::PageReader() : workers_(DefaultWorkers()) {}

PageReader::~PageReader() = default;

void PageReader::SetWorkers(int count) {
    workers_ = std::clamp(count, 1, kMaxWorkers);
}

void PageReader::Unload() {
    recognizers_.clear();
    turns_.Unload();
    data_.reset();
}

// A page the orientation model takes for turned is read again turned upright,
// from its layout on; the turn was right when the Hangul model is sure of
// more than twice as many syllables (and a line's worth at least) as on the
// page as it came.
constexpr int kLineOfSyllables = 10;

std::string PageReader::ReadPage(PixPtr page, bool& failed) {
    PreparedPage prepared = Prepare(std::move(page));
    if (!prepared.gray) {
        return {};
    }
    int syllables = 0;
    std::string text = ReadPrepared(prepared, failed, syllables);
    // The orientation model reads the page in black and white: thresholding a
    // large gray page itself would take it several times as long.
    const int quarters =
        failed ? 0 : turns_.QuartersToUpright(data_->folder, prepared.binary.get());
    if (quarters == 0) {
        return text;
    }
    PreparedPage turned;
    turned.gray.reset(pixRotateOrth(prepared.gray.get(), quarters));
    turned.binary.reset(pixRotateOrth(prepared.binary.get(), quarters));
    turned.charHeight = prepared.charHeight;
    if (!turned.gray || !turned.binary) {
        return text;
    }
    prepared = {};  // not held twice
    int turnedSyllables = 0;
    bool turnedFailed = false;
    std::string turnedText = ReadPrepared(turned, turnedFailed, turnedSyllables);
    return !turnedFailed && turnedSyllables > std::max(2 * syllables, kLineOfSyllables) ? turnedText
                                                                                        : text;
}

std::string PageReader::ReadPrepared(const PreparedPage& prepared, bool& failed,
                                     int& sureSyllables) {
    const PageLayout layout = FindLayout(prepared.binary.get(), prepared.charHeight);
    struct Job {
        const Line* line;
        std::string text;
        int sureSyllables = 0;
    };
    std::vector<Job> jobs;
    for (const Region& region : layout.regions) {
        for (const Line& line : region.lines) {
            jobs.push_back({&line, {}});
        }
    }
    // The lines are independent: each worker takes the next unread one.
    std::atomic<size_t> next{0};
    std::atomic<bool> broken{false};
    auto work = [&](Recognizer& recognizer) {
        try {
            if (!recognizer.Load(*data_)) {
                broken = true;
                return;
            }
            for (size_t i = next++; i < jobs.size() && !broken; i = next++) {
                jobs[i].text =
                    recognizer.ReadLine(prepared.gray.get(), layout.nonText.get(), *jobs[i].line);
                jobs[i].sureSyllables = recognizer.LastSureSyllables();
            }
        } catch (...) {
            broken = true;
        }
    };
    const size_t count = std::min<size_t>(static_cast<size_t>(workers_), jobs.size());
    while (recognizers_.size() < count) {
        recognizers_.push_back(std::make_unique<Recognizer>());
    }
    std::vector<std::thread> threads;
    for (size_t w = 1; w < count; ++w) {
        threads.emplace_back(work, std::ref(*recognizers_[w]));
    }
    if (count > 0) {
        work(*recognizers_[0]);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (broken) {
        failed = true;
        return {};
    }
    sureSyllables = 0;
    for (const Job& job : jobs) {
        sureSyllables += job.sureSyllables;
    }
    std::string text;
    size_t at = 0;
    for (const Region& region : layout.regions) {
        bool started = false;
        for (size_t k = 0; k < region.lines.size(); ++k, ++at) {
            const std::string& line = jobs[at].text;
            if (line.empty() || !HasLetterOrDigit(line)) {
                continue;
            }
            if (!started && !text.empty()) {
                text += '\n';
            }
            started = true;
            text += line;
            text += '\n';
        }
    }
    return text;
}

ResultCode PageReader::Recognize(PageSource& pages, std::string& utf8) {
    if (!data_) {
        auto found = std::make_unique<LanguageData>();
        if (!FindLanguageData(*found)) {
            return kNoLanguageData;
        }
        data_ = std::move(found);
    }
    if (recognizers_.empty()) {
        recognizers_.push_back(std::make_unique<Recognizer>());
    }
    if (!recognizers_.front()->Load(*data_)) {
        return kNoLanguageData;
    }
    std::string text;
    for (int index = 0; index < pages.Count(); ++index) {
        PixPtr page;
        const ResultCode read = pages.Read(index, page);
        if (read != kSuccess) {
            return read;
        }
        bool failed = false;
        std::string pageText = ReadPage(std::move(page), failed);
        if (failed) {
            return kRecognitionFailed;
        }
        // A page's text ends with its line break; one more leaves a blank
        // line between pages.
        if (!text.empty()) {
            text += '\n';
        }
        text += pageText;
    }
    utf8 = std::move(text);
    return kSuccess;
}

}  // namespace engine
