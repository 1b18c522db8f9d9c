#include "engine/KorvexOCR.h"

#include <leptonica/allheaders.h>
#include <omp.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "engine/ImageInput.h"
#include "engine/PageReader.h"
#include "engine/ResultText.h"
#include "platform/codepage.h"

namespace {

// One reader for the process, used by one caller at a time.
std::mutex readerMutex;

engine::PageReader& TheReader() {
    static engine::PageReader reader;
    return reader;
}

// Tesseract keeps the dictionaries in a cache of its own, created on the
// first load and destroyed at exit or unload, which frees only what no model
// still uses. Releasing the models is therefore registered after that first
// load, so it runs before the cache goes.
void UnloadBeforeTesseractExits() {
    static bool registered = false;
    if (!registered) {
        registered = std::atexit([] { TheReader().Unload(); }) == 0;
    }
}

int32_t Recognize(const char* path, char* buffer) {
    if (path == nullptr || buffer == nullptr) {
        return engine::kBadArgument;
    }
    std::string text;
    const engine::ResultCode recognized = engine::RecognizeDocument(platform::FromAnsi(path), text);
    if (recognized != engine::kSuccess) {
        return recognized;
    }
    std::string bytes = engine::ResultBytes(text, engine::kResultBufferSize - 1);
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return engine::kSuccess;
}

}  // namespace

namespace engine {

ResultCode RecognizeDocument(const std::string& utf8Path, std::string& utf8Text) {
    std::lock_guard<std::mutex> lock(readerMutex);
    setMsgSeverity(L_SEVERITY_NONE);
    // Tesseract's parallel loops are too short to pay for their threads: on
    // a page they spend more time waiting for each other than working, so
    // one thread recognises several times faster. No active parallel level
    // runs every parallel region of this thread on the thread itself, whatever
    // thread count the region asks for.
    omp_set_max_active_levels(0);
    std::unique_ptr<PageSource> pages;
    const ResultCode opened = OpenPages(utf8Path, pages);
    if (opened != kSuccess) {
        return opened;
    }
    const ResultCode recognized = TheReader().Recognize(*pages, utf8Text);
    if (recognized == kSuccess) {
        UnloadBeforeTesseractExits();
    }
    return recognized;
}

void SetRecognitionWorkers(int count) {
    std::lock_guard<std::mutex> lock(readerMutex);
    TheReader().SetWorkers(count);
}

}  // namespace engine

extern "C" int32_t KorvexOCRText_Ex(const char* path, char* buffer) {
    try {
        return Recognize(path, buffer);
    } catch (...) {
        return engine::kRecognitionFailed;
    }
}

extern "C" int32_t KorvexOCRText(const char* path, char* buffer) {
    return KorvexOCRText_Ex(path, buffer);
}
