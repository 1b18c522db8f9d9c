#include "engine/Recognizer.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "engine/FaintStop.h"
#include "engine/Mend.h"
#include "engine/Preprocess.h"
#include "engine/Rank.h"
#include "engine/SurerSyllables.h"
#include "engine/Symbols.h"
#include "platform/text.h"

namespace engine {

namespace {

bool HasModel(const std::string& folder, const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder + "/" + name + ".traineddata", error);
}

bool ChooseModels(const std::string& folder, LanguageData& found) {
    for (const char* korean : {"Hangul", "script/Hangul", "kor"}) {
        if (HasModel(folder, korean)) {
            found.folder = folder;
            found.korean = korean;
            found.latin = HasModel(folder, "eng") ? "eng" : "";
            found.secondKorean =
                std::string_view(korean) != "kor" && HasModel(folder, "kor") ? "kor" : "";
            return true;
        }
    }
    return false;
}

std::vector<std::string> DataFolders() {
    std::vector<std::string> folders;
    std::error_code error;
    std::filesystem::path cwd = std::filesystem::current_path(error);
    if (!error) {
        folders.push_back((cwd / "tessdata").string());
    }
    if (const char* prefix = getenv("TESSDATA_PREFIX"); prefix != nullptr && *prefix != '\0') {
        folders.push_back(prefix);
        folders.push_back(std::string(prefix) + "/tessdata");
    }
    for (const char* folder :
         {"/usr/share/tesseract-ocr/5/tessdata", "/usr/share/tesseract-ocr/4.00/tessdata",
          "/usr/share/tessdata", "/usr/local/share/tessdata"}) {
        folders.push_back(folder);
    }
    return folders;
}

std::unique_ptr<tesseract::TessBaseAPI> LoadModel(const LanguageData& data,
                                                  const std::string& model,
                                                  tesseract::PageSegMode mode) {
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    // The engine writes nothing to the caller's terminal.
    api->SetVariable("debug_file", "/dev/null");
    if (api->Init(data.folder.c_str(), model.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
        return nullptr;
    }
    api->SetPageSegMode(mode);
    // Keep the blanks that the page has, not one between every two syllables
    // that the recogniser took for separate words.
    api->SetVariable("preserve_interword_spaces", "1");
    return api;
}

// The confidence of a syllable the Hangul model is sure of.
constexpr float kSureSyllable = 90;

// Character height, in pixels, at which lines are handed to the recogniser.
constexpr int kLineHeight = 36;

// Below this mean confidence the English reading of a run is taken only
// where the Hangul reading is plainly wrong.
constexpr int kMinLatinConfidence = 40;

// A word the Hangul model read as Hangul is taken from the English model only
// when the English model is quite sure of it and reads a word of letters.
constexpr int kMinDoubtConfidence = 75;

// The first row of `ink` (1 bit per pixel) with ink between columns `from`
// and `to`; the image's height when there is none.
int InkTop(Pix* ink, int from, int to) {
    const int height = pixGetHeight(ink);
    l_int32 top = height;
    BOX* columns = boxCreate(from, 0, std::max(1, to - from), height);
    if (pixScanForForeground(ink, columns, L_FROM_TOP, &top) != 0) {
        top = height;
    }
    boxDestroy(&columns);
    return top;
}

// A Latin word whose ink starts this far below the top of the syllables
// beside it has no capital, digit or tall letter: read alone in its box,
// with no line to measure letters against, the English model takes "xz" for
// "XZ".
constexpr int kBelowCapitals = kLineHeight / 5;

// The median top of the ink of the Hangul syllables among `symbols`, in
// `ink`; nothing when there is no syllable.
std::optional<int> SyllablesTop(Pix* ink, const std::vector<Symbol>& symbols) {
    std::vector<int> tops;
    for (const Symbol& symbol : symbols) {
        if (IsHangulSyllable(symbol.text)) {
            tops.push_back(InkTop(ink, symbol.left, symbol.right));
        }
    }
    if (tops.empty()) {
        return std::nullopt;
    }
    return Rank(std::move(tops), 0.5);
}

}  // namespace

bool FindLanguageData(LanguageData& found) {
    for (const std::string& folder : DataFolders()) {
        if (ChooseModels(folder, found)) {
            return true;
        }
    }
    return false;
}

Recognizer::Recognizer() = default;

Recognizer::~Recognizer() {
    Unload();
}

void Recognizer::Unload() {
    for (auto* api : {korean_.get(), secondKorean_.get(), latin_.get()}) {
        if (api != nullptr) {
            api->End();
        }
    }
    korean_.reset();
    secondKorean_.reset();
    latin_.reset();
}

bool Recognizer::Load(const LanguageData& data) {
    if (korean_) {
        return true;
    }
    korean_ = LoadModel(data, data.korean, tesseract::PSM_SINGLE_LINE);
    if (!korean_) {
        return false;
    }
    if (!data.secondKorean.empty()) {
        secondKorean_ = LoadModel(data, data.secondKorean, tesseract::PSM_SINGLE_LINE);
    }
    if (!data.latin.empty()) {
        latin_ = LoadModel(data, data.latin, tesseract::PSM_SINGLE_LINE);
    }
    return true;
}

std::string Recognizer::ReadLine(Pix* gray, Pix* nonText, const Line& line) {
    sureSyllables_ = 0;
    const int width = pixGetWidth(gray);
    const int height = pixGetHeight(gray);
    // A little of the white around the ink, inside the image.
    const int margin = MarginOf(line);
    const Box box{std::max(0, line.box.left - margin), std::max(0, line.box.top - margin),
                  std::min(width, line.box.right + margin),
                  std::min(height, line.box.bottom + margin)};
    if (box.right - box.left < kMinBoxSide || box.bottom - box.top < kMinBoxSide ||
        line.height <= 0) {
        return {};
    }
    // The line alone: its box, with the components of other lines that reach
    // into it (a descender from above, an accent from below) painted white
    // where they do not overlap the line's own. Faint ink that belongs to no
    // component (a light full stop) stays.
    BOX* clip = boxCreate(box.left, box.top, box.right - box.left, box.bottom - box.top);
    PixPtr crop(pixClipRectangle(gray, clip, nullptr));
    boxDestroy(&clip);
    if (!crop) {
        return {};
    }
    auto paint = [&](const Box& part, bool own) {
        const int left = std::max(box.left, part.left - (own ? margin : 0));
        const int top = std::max(box.top, part.top - (own ? margin : 0));
        const int right = std::min(box.right, part.right + (own ? margin : 0));
        const int bottom = std::min(box.bottom, part.bottom + (own ? margin : 0));
        if (right <= left || bottom <= top) {
            return;
        }
        if (own) {
            pixRasterop(crop.get(), left - box.left, top - box.top, right - left, bottom - top,
                        PIX_SRC, gray, left, top);
        } else {
            pixRasterop(crop.get(), left - box.left, top - box.top, right - left, bottom - top,
                        PIX_SET, nullptr, 0, 0);
        }
    };
    if (!line.foreign.empty()) {
        for (const Box& part : line.foreign) {
            paint(part, false);
        }
        for (const Box& part : line.parts) {
            paint(part, true);
        }
    }
    if (nonText != nullptr) {
        clip = boxCreate(box.left, box.top, box.right - box.left, box.bottom - box.top);
        PixPtr mask(pixClipRectangle(nonText, clip, nullptr));
        boxDestroy(&clip);
        if (mask) {
            pixPaintThroughMask(crop.get(), mask.get(), 0, 0, 0xff);
        }
    }
    // A slanted line (a photographed page) is turned level.
    if (std::fabs(line.slope) > kMinSlope) {
        PixPtr level(pixRotate(crop.get(), static_cast<float>(-std::atan(line.slope)),
                               L_ROTATE_AREA_MAP, L_BRING_IN_WHITE, pixGetWidth(crop.get()),
                               pixGetHeight(crop.get())));
        if (level) {
            crop = std::move(level);
        }
    }
    const float scale =
        std::clamp(static_cast<float>(kLineHeight) / static_cast<float>(line.height), 0.25f, 4.0f);
    if (std::fabs(scale - 1) > 0.1f) {
        crop.reset(scale > 1 ? pixScaleGrayLI(crop.get(), scale, scale)
                             : pixScaleAreaMap(crop.get(), scale, scale));
    }
    if (crop) {
        crop.reset(pixAddBorder(crop.get(), kLineHeight / 2, 0xff));
    }
    if (!crop || pixGetWidth(crop.get()) < kMinBoxSide || pixGetHeight(crop.get()) < kMinBoxSide) {
        return {};
    }
    korean_->SetImage(crop.get());
    korean_->SetSourceResolution(300);
    if (korean_->Recognize(nullptr) != 0) {
        korean_->Clear();
        return {};
    }
    std::vector<Symbol> symbols = ReadSymbols(*korean_);
    korean_->Clear();
    if (secondKorean_ && DoubtsASyllable(symbols)) {
        secondKorean_->SetImage(crop.get());
        secondKorean_->SetSourceResolution(300);
        if (secondKorean_->Recognize(nullptr) == 0) {
            TakeSurerSyllables(symbols, ReadSymbols(*secondKorean_));
        }
        secondKorean_->Clear();
    }
    sureSyllables_ =
        static_cast<int>(std::count_if(symbols.begin(), symbols.end(), [](const Symbol& symbol) {
            return symbol.confidence >= kSureSyllable && IsHangulSyllable(symbol.text);
        }));
    if (latin_) {
        PixPtr ink(pixThresholdToBinary(crop.get(), kInk));
        ReadRunsAsLatin(crop.get(), ink.get(), 300, symbols);
        ReadLineAsLatin(crop.get(), 300, symbols);
        ReadSwallowedWords(crop.get(), ink.get(), 300, symbols);
    }
    for (Symbol& symbol : symbols) {
        symbol.startsParagraph = false;
        symbol.startsLine = false;
    }
    std::string text = Mended(Text(symbols));
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    if (FaintStopAfter(gray, line, text)) {
        text += '.';
    }
    return text;
}

std::string Recognizer::ReadBoxAsLatin(const Box& box, int& confidence) {
    latin_->SetRectangle(box.left, box.top, box.right - box.left, box.bottom - box.top);
    std::unique_ptr<char[]> text(latin_->GetUTF8Text());
    std::string reading = text ? text.get() : "";
    while (!reading.empty() && (reading.back() == '\n' || reading.back() == ' ')) {
        reading.pop_back();
    }
    confidence = latin_->MeanTextConf();
    return reading.find_first_of(" \n") == std::string::npos ? reading : std::string();
}

void Recognizer::ReadRunsAsLatin(Pix* image, Pix* ink, int resolution,
                                 std::vector<Symbol>& symbols) {
    std::vector<Run> runs = LatinCandidates(symbols);
    if (runs.empty()) {
        return;
    }
    const std::optional<int> syllablesTop =
        ink != nullptr ? SyllablesTop(ink, symbols) : std::optional<int>();
    latin_->SetImage(image);
    latin_->SetSourceResolution(resolution);
    int width = pixGetWidth(image);
    int height = pixGetHeight(image);
    for (const Run& run : runs) {
        // A lone digit beside Hangul ("0번") is read right by the Hangul
        // model; alone in its box the English model takes it for a letter.
        // A "digit" wider than it is high is a word the Hangul model could
        // not read at all.
        const Symbol& only = symbols[run.first];
        if (run.first == run.last && only.text.size() == 1 &&
            isdigit(static_cast<unsigned char>(only.text[0])) &&
            only.right - only.left <= only.bottom - only.top) {
            continue;
        }
        const std::optional<Box> box = RunBox(symbols, run, width, height);
        if (!box) {
            continue;
        }
        int confidence = 0;
        std::string reading = ReadBoxAsLatin(*box, confidence);
        if (reading.empty() ||
            (run.hangul ? confidence < kMinDoubtConfidence || !IsLatinWord(reading)
                        : confidence < kMinLatinConfidence && !LooksMisread(symbols, run))) {
            continue;
        }
        if (syllablesTop && InkTop(ink, box->left, box->right) >= *syllablesTop + kBelowCapitals) {
            reading = platform::AsciiLower(reading);
        }
        symbols[run.first].text = WithoutMarkBeforeSyllable(
            symbols, run.first, run.last, WithLeadingSign(symbols, run.first, reading));
        for (size_t i = run.first + 1; i <= run.last; ++i) {
            symbols[i].text.clear();
        }
    }
    latin_->Clear();
}

void Recognizer::ReadLineAsLatin(Pix* image, int resolution, std::vector<Symbol>& symbols) {
    const std::vector<LatinPart> parts = LatinParts(symbols);
    if (parts.empty()) {
        return;
    }
    latin_->SetImage(image);
    latin_->SetSourceResolution(resolution);
    if (latin_->Recognize(nullptr) != 0) {
        latin_->Clear();
        return;
    }
    const std::vector<Symbol> english = ReadSymbols(*latin_);
    latin_->Clear();
    TakeLatinParts(symbols, parts, english, kLineHeight);
}

void Recognizer::ReadSwallowedWords(Pix* image, Pix* ink, int resolution,
                                    std::vector<Symbol>& symbols) {
    if (ink == nullptr) {
        return;
    }
    std::vector<char> inked(static_cast<size_t>(pixGetWidth(ink)), 0);
    if (NUMA* counts = pixCountPixelsByColumn(ink); counts != nullptr) {
        for (size_t x = 0; x < inked.size(); ++x) {
            l_int32 count = 0;
            numaGetIValue(counts, static_cast<l_int32>(x), &count);
            inked[x] = count > 0;
        }
        numaDestroy(&counts);
    }
    const std::vector<Swallowed> found = SwallowedWords(symbols, inked, kLineHeight);
    if (found.empty()) {
        return;
    }
    const int width = pixGetWidth(image);
    const int height = pixGetHeight(image);
    latin_->SetImage(image);
    latin_->SetSourceResolution(resolution);
    // From the last, so that the indexes of those before stay right.
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        const Symbol& word = symbols[it->first];
        const int margin = kLineHeight / 6;
        const int left = std::max(0, it->from - margin);
        const int right = std::min(width, it->split + margin / 2);
        const int top = std::max(0, word.top - margin);
        const int bottom = std::min(height, word.bottom + margin);
        if (right - left < kMinBoxSide || bottom - top < kMinBoxSide) {
            continue;
        }
        int confidence = 0;
        std::string reading = ReadBoxAsLatin({left, top, right, bottom}, confidence);
        if (reading.empty() || confidence < kMinDoubtConfidence || !IsLatinWord(reading)) {
            continue;
        }
        const int latinTop = InkTop(ink, it->from, it->split);
        const int syllablesTop = InkTop(ink, it->split, it->to);
        if (latinTop >= syllablesTop + kBelowCapitals) {
            reading = platform::AsciiLower(reading);
        }
        Symbol latin = word;
        latin.text = reading;
        latin.left = it->from;
        latin.right = it->split;
        symbols[it->first].startsWord = false;
        symbols.insert(symbols.begin() + static_cast<long>(it->first), latin);
    }
    latin_->Clear();
}

}  // namespace engine
