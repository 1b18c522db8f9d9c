// Reading documents: each page prepared, its layout found, and its lines read
// on several workers at once, each with a recogniser of its own that keeps its
// models loaded between calls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/KorvexOCR.h"
#include "engine/Orientation.h"
#include "engine/Preprocess.h"

namespace engine {

class Recognizer;
struct LanguageData;

class PageReader {
  public:
    PageReader();
    ~PageReader();
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    // Recognises the pages in order, one at a time; their texts are separated
    // by a blank line. Not reentrant: callers take turns.
    ResultCode Recognize(PageSource& pages, std::string& utf8);

    // The number of lines read at once (at least 1); by default the number of
    // processor cores, at most kMaxWorkers.
    void SetWorkers(int count);

    // Releases the models; the next recognition loads them again.
    void Unload();

    static constexpr int kMaxWorkers = 8;

  private:
    // The text of `page`, turned upright first when it lies on its side or
    // upside down.
    std::string ReadPage(PixPtr page, bool& failed);
    // The text of a prepared page as it stands, and the number of syllables
    // in it the Hangul model was sure of.
    std::string ReadPrepared(const PreparedPage& prepared, bool& failed, int& sureSyllables);

    int workers_;
    // Looked up once, so that every worker loads the same models even when
    // the current folder changes between calls.
    std::unique_ptr<LanguageData> data_;
    std::vector<std::unique_ptr<Recognizer>> recognizers_;
    TurnDetector turns_;
};

}  // namespace engine
