// The OCR engine's entry points. Both take an image path and a result buffer
// of at least kResultBufferSize bytes, both in the system's code page, and
// answer one of the ResultCode values.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

// Size of the caller's result buffer; the text and its closing NUL fit in it.
constexpr int32_t kResultBufferSize = 65000;

enum ResultCode : int32_t {
    kSuccess = 1,
    kBadArgument = 0,         // no path or no buffer was given
    kFileNotFound = -1,       // the path names no readable regular file
    kNotAnImage = -2,         // the file is not an image format the engine reads
    kImageTooLarge = -3,      // the image is larger than the engine accepts
    kImageDamaged = -4,       // the image is truncated or its data is corrupt
    kNoLanguageData = -5,     // the language models could not be loaded
    kRecognitionFailed = -6,  // recognition itself failed (out of memory, ...)
    kEncrypted = -7           // a PDF document that opens only with a password
};

// Recognises every page of the image or PDF document `utf8Path` into
// `utf8Text`, whole (no buffer limit): what the entry points below cut to
// their buffer, for callers inside the same program. Calls take turns.
ResultCode RecognizeDocument(const std::string& utf8Path, std::string& utf8Text);

// How many lines of a page are read at once (by default one per processor
// core): a caller that runs several recognitions side by side in processes
// of its own gives each a share of the cores.
void SetRecognitionWorkers(int count);

}  // namespace engine

extern "C" {

// Recognises the Korean and English text of the image at `path` and writes it
// to `buffer`: lines ended by CR LF, the whole text ended by a NUL, never more
// than kResultBufferSize bytes. On failure the buffer is left as it was.
__attribute__((visibility("default"))) int32_t KorvexOCRText_Ex(const char* path, char* buffer);

// The same recognition under the engine's older name.
__attribute__((visibility("default"))) int32_t KorvexOCRText(const char* path, char* buffer);
}
