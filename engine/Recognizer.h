// One reader of text lines: Tesseract's models, loaded once and kept, so
// that every later line is read without loading them again. Each worker of
// the engine has its own; one reader is used by one thread at a time.
//
// A line is read with the Hangul model, which reads Korean far better than
// any mix of models, but misreads Latin letters; where it doubts a syllable,
// the Korean model "kor" reads the line too, and each syllable is taken
// from the model surer of it (see TakeSurerSyllables). Every run of letters
// that is not Hangul is therefore read again with the English model, and the
// English reading replaces it when the English model is sure of it. Then the
// whole line is read with the English model, which reads names and options
// best with the line around them, and its reading of each word's Latin part
// is taken where it holds (see TakeLatinParts).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/Layout.h"
#include "engine/Symbols.h"

namespace tesseract {
class TessBaseAPI;
}

namespace engine {

// The folder and models the recognisers load: tessdata/ of the current
// folder when it holds a Korean model, otherwise the system's language data.
struct LanguageData {
    std::string folder;
    std::string korean;  // "Hangul", "script/Hangul" or "kor"
    // "kor" beside "Hangul" or "script/Hangul": a second opinion on the
    // syllables the first model doubts; empty when there is none.
    std::string secondKorean;
    std::string latin;  // "eng", or empty when there is no English model
};

// Looks the language data up; false when there is no Korean model.
bool FindLanguageData(LanguageData& found);

class Recognizer {
  public:
    Recognizer();
    ~Recognizer();
    Recognizer(const Recognizer&) = delete;
    Recognizer& operator=(const Recognizer&) = delete;

    // Loads the models of `data` unless they are loaded; false when they do
    // not load.
    bool Load(const LanguageData& data);

    // The text of `line` of the prepared page `gray`, with the ink of
    // `nonText` (rules and pictures beside it) left out; empty when nothing
    // is read there. The line's box is checked against the image first.
    std::string ReadLine(Pix* gray, Pix* nonText, const Line& line);

    // The Hangul syllables of the last line ReadLine read that the Hangul
    // model was sure of (confidence 90 or more). The model is fairly sure of
    // what it makes of text on its side or upside down as well, but reads it
    // as marks and Latin letters, few of them syllables.
    int LastSureSyllables() const { return sureSyllables_; }

    // Releases the models; the next recognition loads them again.
    void Unload();

  private:
    // The English model's reading of `box` of the image set on it, with its
    // mean confidence; empty unless it is one word.
    std::string ReadBoxAsLatin(const Box& box, int& confidence);
    // The second readings of the line `image` with the English model, in
    // this order: the runs of Latin letters and the words in doubt alone,
    // then the whole line for the Latin part of each word, then the Latin
    // words the Hangul model left out before a particle (each put in before
    // it, so `symbols` may grow). `ink` is the line in black and white, the
    // heights and columns they measure (none when it could not be made): a
    // word read alone whose ink stays below the syllables' top is put in
    // lower case.
    void ReadRunsAsLatin(Pix* image, Pix* ink, int resolution, std::vector<Symbol>& symbols);
    void ReadLineAsLatin(Pix* image, int resolution, std::vector<Symbol>& symbols);
    void ReadSwallowedWords(Pix* image, Pix* ink, int resolution, std::vector<Symbol>& symbols);

    std::unique_ptr<tesseract::TessBaseAPI> korean_;
    std::unique_ptr<tesseract::TessBaseAPI> secondKorean_;
    std::unique_ptr<tesseract::TessBaseAPI> latin_;
    int sureSyllables_ = 0;
};

}  // namespace engine
