#include "engine/Recognizer.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/Preprocess.h"
#include "engine/Symbols.h"

namespace engine {

namespace {

// The folder and models the recogniser loads: tessdata/ of the current
// folder when it holds a Korean model, otherwise the system's language data.
struct LanguageData {
    std::string folder;
    std::string korean;  // "Hangul", "script/Hangul" or "kor"
    std::string latin;   // "eng", or empty when there is no English model
};

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

std::unique_ptr<tesseract::TessBaseAPI> Load(const LanguageData& data, const std::string& model,
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

// Below this mean confidence the English reading of a run is taken only
// where the Hangul reading is plainly wrong.
constexpr int kMinLatinConfidence = 40;

bool FindLanguageData(LanguageData& found) {
    for (const std::string& folder : DataFolders()) {
        if (ChooseModels(folder, found)) {
            return true;
        }
    }
    return false;
}

}  // namespace

Recognizer::Recognizer() = default;

Recognizer::~Recognizer() {
    Unload();
}

void Recognizer::Unload() {
    for (auto* api : {korean_.get(), latin_.get()}) {
        if (api != nullptr) {
            api->End();
        }
    }
    korean_.reset();
    latin_.reset();
}

bool Recognizer::EnsureLoaded() {
    if (korean_) {
        return true;
    }
    LanguageData data;
    if (!FindLanguageData(data)) {
        return false;
    }
    korean_ = Load(data, data.korean, tesseract::PSM_SINGLE_BLOCK);
    if (!korean_) {
        return false;
    }
    if (!data.latin.empty()) {
        latin_ = Load(data, data.latin, tesseract::PSM_SINGLE_LINE);
    }
    return true;
}

std::string Recognizer::RecognizePage(Pix* page) {
    PreparedPage prepared = Prepare(page);
    if (!prepared.image) {
        return {};
    }
    korean_->SetImage(prepared.image.get());
    korean_->SetSourceResolution(prepared.resolution);
    if (korean_->Recognize(nullptr) != 0) {
        korean_->Clear();
        return {};
    }
    std::vector<Symbol> symbols = ReadSymbols(*korean_);
    korean_->Clear();
    if (latin_) {
        ReadRunsAsLatin(prepared.image.get(), prepared.resolution, symbols);
    }
    return Text(symbols);
}

void Recognizer::ReadRunsAsLatin(Pix* image, int resolution, std::vector<Symbol>& symbols) {
    std::vector<Run> runs = NonHangulRuns(symbols);
    if (runs.empty()) {
        return;
    }
    latin_->SetImage(image);
    latin_->SetSourceResolution(resolution);
    int width = pixGetWidth(image);
    int height = pixGetHeight(image);
    for (const Run& run : runs) {
        // A lone digit beside Hangul ("0번") is read right by the Hangul
        // model; alone in its box the English model takes it for a letter.
        if (run.first == run.last && symbols[run.first].text.size() == 1 &&
            isdigit(static_cast<unsigned char>(symbols[run.first].text[0]))) {
            continue;
        }
        const std::optional<Box> box = RunBox(symbols, run, width, height);
        if (!box) {
            continue;
        }
        latin_->SetRectangle(box->left, box->top, box->right - box->left, box->bottom - box->top);
        std::unique_ptr<char[]> text(latin_->GetUTF8Text());
        std::string reading = text ? text.get() : "";
        while (!reading.empty() && (reading.back() == '\n' || reading.back() == ' ')) {
            reading.pop_back();
        }
        if (reading.empty() || reading.find_first_of(" \n") != std::string::npos ||
            (latin_->MeanTextConf() < kMinLatinConfidence && !LooksMisread(symbols, run))) {
            continue;
        }
        symbols[run.first].text = reading;
        for (size_t i = run.first + 1; i <= run.last; ++i) {
            symbols[i].text.clear();
        }
    }
    latin_->Clear();
}

ResultCode Recognizer::Recognize(PageSource& pages, std::string& utf8) {
    if (!EnsureLoaded()) {
        return kNoLanguageData;
    }
    std::string text;
    for (int index = 0; index < pages.Count(); ++index) {
        PixPtr page;
        const ResultCode read = pages.Read(index, page);
        if (read != kSuccess) {
            return read;
        }
        // A page's text ends with its line break; one more leaves a blank
        // line between pages.
        if (!text.empty()) {
            text += '\n';
        }
        text += RecognizePage(page.get());
    }
    utf8 = std::move(text);
    return kSuccess;
}

}  // namespace engine
