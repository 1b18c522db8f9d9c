// Reading documents: each page prepared, its layout found, and its lines read
// on several workers at once, each with a recogniser of its own that keeps its
// models loaded between calls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/KorvexOCR.h"

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
    std::string ReadPage(PixPtr page, bool& failed);

    int workers_;
    // Looked up once, so that every worker loads the same models even when
    // the current folder changes between calls.
    std::unique_ptr<LanguageData> data_;
    std::vector<std::unique_ptr<Recognizer>> recognizers_;
};

}  // namespace engine
