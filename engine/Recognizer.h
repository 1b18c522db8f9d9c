// Tesseract, loaded once and kept: the models are read on the first
// recognition and reused by every later one.
//
// A page is read with the Hangul model alone, which reads Korean far better
// than any mix of models, but misreads Latin letters. Every run of letters
// that is not Hangul is therefore read again with the English model, and the
// English reading replaces it when the English model is sure of it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/KorvexOCR.h"
#include "engine/Symbols.h"

namespace tesseract {
class TessBaseAPI;
}

namespace engine {

class Recognizer {
  public:
    Recognizer();
    ~Recognizer();
    Recognizer(const Recognizer&) = delete;
    Recognizer& operator=(const Recognizer&) = delete;

    // Recognises the pages in order, one at a time; their texts are separated
    // by a blank line. Not reentrant: callers take turns.
    ResultCode Recognize(PageSource& pages, std::string& utf8);

    // Releases the models; the next recognition loads them again.
    void Unload();

  private:
    bool EnsureLoaded();
    std::string RecognizePage(Pix* page);
    void ReadRunsAsLatin(Pix* image, int resolution, std::vector<Symbol>& symbols);

    std::unique_ptr<tesseract::TessBaseAPI> korean_;
    std::unique_ptr<tesseract::TessBaseAPI> latin_;
};

}  // namespace engine
