#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/SurerSyllables.h"
#include "engine/Symbols.h"

namespace {

using engine::Symbol;

// One symbol per character of each word; every word after the first starts
// with a blank and the word "\n" starts a new line instead.
std::vector<Symbol> Line(const std::vector<std::vector<std::string>>& words) {
    std::vector<Symbol> symbols;
    bool newLine = true;
    for (const auto& word : words) {
        if (word.size() == 1 && word[0] == "\n") {
            newLine = true;
            continue;
        }
        for (size_t i = 0; i < word.size(); ++i) {
            Symbol symbol;
            symbol.text = word[i];
            symbol.startsWord = i == 0;
            symbol.startsLine = newLine && i == 0;
            symbols.push_back(symbol);
        }
        newLine = false;
    }
    return symbols;
}

TEST(EngineSymbols, NonHangulRunsStopAtSyllablesAndWordGaps) {
    // "파일 abc가 (x) 7번 --"
    auto symbols =
        Line({{"파", "일"}, {"a", "b", "c", "가"}, {"(", "x", ")"}, {"7", "번"}, {"-", "-"}});
    std::vector<engine::Run> runs = engine::NonHangulRuns(symbols);
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(2u, runs[0].first);
    EXPECT_EQ(4u, runs[0].last);
    EXPECT_EQ(6u, runs[1].first);
    EXPECT_EQ(8u, runs[1].last);
    EXPECT_EQ(9u, runs[2].first);
    EXPECT_EQ(9u, runs[2].last);
}

TEST(EngineSymbols, MisreadLatinIsToldByItsCharacters) {
    auto misread = [](const std::vector<std::string>& word) {
        auto symbols = Line({word});
        return engine::LooksMisread(symbols, {0, symbols.size() - 1});
    };
    EXPECT_TRUE(misread({"ㄷ", "0", "0"}));
    EXPECT_TRUE(misread({"『", "9"}));
    EXPECT_TRUE(misread({"Ｌ", "L"}));
    EXPECT_TRUE(misread({"a", "c", "h", "i", "v", "e", "1", "i", "b"}));
    EXPECT_TRUE(misread({"1", "i"}));
    EXPECT_FALSE(misread({"s", "t", "a", "t", "u", "s"}));
    EXPECT_FALSE(misread({"1", "0", "2", "4"}));
    EXPECT_FALSE(misread({"(", "x", ")", "."}));
    EXPECT_FALSE(misread({"é", "t", "é"}));
}

TEST(EngineSymbols, TextSeparatesWordsLinesAndParagraphs) {
    auto symbols = Line({{"가", "나"}, {"다"}, {"\n"}, {"a", "b"}, {"\n"}, {"c"}});
    symbols.back().startsParagraph = true;
    EXPECT_EQ("가나 다\nab\n\nc\n", engine::Text(symbols));
    EXPECT_EQ("", engine::Text({}));
}

TEST(EngineSymbols, RunBoxesStayInsideTheImageAndNeverTurnInsideOut) {
    // "x1" between two syllables, all on one line at 40-pixel letters.
    std::vector<Symbol> line = Line({{"가"}, {"x", "1"}, {"나"}});
    const int lefts[] = {0, 60, 90, 150};
    for (size_t i = 0; i < line.size(); ++i) {
        line[i].left = lefts[i];
        line[i].right = lefts[i] + 30;
        line[i].top = 100;
        line[i].bottom = 140;
    }
    const std::optional<engine::Box> box = engine::RunBox(line, {1, 2}, 1000, 1000);
    ASSERT_TRUE(box);
    EXPECT_GE(box->left, 31);    // off the syllable before
    EXPECT_LE(box->right, 149);  // and the one after
    EXPECT_LT(box->top, 100);
    EXPECT_GT(box->bottom, 140);

    // A run whose letters the page-wide line finding put on two lines, the
    // last one left of the first, and a run outside the image: no box.
    line[1].left = 600;
    line[1].right = 630;
    EXPECT_FALSE(engine::RunBox(line, {1, 2}, 1000, 1000));
    EXPECT_FALSE(engine::RunBox(line, {1, 2}, 50, 1000));
    EXPECT_FALSE(engine::RunBox(line, {1, 2}, 1000, 90));
}

TEST(EngineSymbols, ASignTheHangulModelSawBeginsTheEnglishReading) {
    // The Hangul model's reading of a word: its symbols, the first read with
    // `confidence`.
    auto own = [](std::vector<std::string> texts, float confidence) {
        std::vector<Symbol> symbols = Line({texts});
        symbols.front().confidence = confidence;
        return symbols;
    };
    const struct {
        std::vector<std::string> own;
        float confidence;
        const char* english;
        const char* expected;
    } cases[] = {
        {{".", "1", "2"}, 99, "lzma", ".lzma"},
        {{".", "1", "2"}, 99, ".lzma", ".lzma"},
        {{".", "m"}, 89, "man", "man"},
        {{".", "1", "2"}, 99, "12", "12"},
        {{"$", "A", "N"}, 80, "SMANPATH", "$MANPATH"},
        {{"S", "$", "A", "N"}, 99, "SMAN_PN", "$MAN_PN"},
        {{"S", "M", "T", "P"}, 99, "SMTP", "SMTP"},
        {{"$", "o"}, 99, "So", "So"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, engine::WithLeadingSign(own(c.own, c.confidence), 0, c.english))
            << c.english;
    }
}

// The words of a line as the Hangul model placed them: each character 20
// pixels wide, 30 between words.
std::vector<Symbol> Placed(const std::vector<std::vector<std::string>>& words) {
    std::vector<Symbol> symbols = Line(words);
    int x = 0;
    for (Symbol& symbol : symbols) {
        x += symbol.startsWord && &symbol != &symbols.front() ? 30 : 0;
        symbol.left = x;
        symbol.right = x + 20;
        x += 20;
    }
    return symbols;
}

// The English reading of the whole line: {text, left, right, confidence} (of
// the character and of its word alike), a word starting where the text starts
// with a blank.
std::vector<Symbol> English(
    const std::vector<std::tuple<std::string, int, int, float>>& characters) {
    std::vector<Symbol> symbols;
    for (const auto& [text, left, right, confidence] : characters) {
        Symbol symbol;
        symbol.startsWord = text.front() == ' ';
        symbol.text = symbol.startsWord ? text.substr(1) : text;
        symbol.left = left;
        symbol.right = right;
        symbol.confidence = confidence;
        symbol.wordConfidence = confidence;
        symbols.push_back(symbol);
    }
    return symbols;
}

TEST(EngineSymbols, TheLineReadInEnglishReplacesTheLatinPartsOfWords) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> words;
        std::vector<std::tuple<std::string, int, int, float>> english;
        std::string expected;
        // Where given, the English model's confidence in every word, which
        // is then below its confidence in each character.
        float wordConfidence = -1;
    };
    // "파일" takes 0-40, the second word starts at 70.
    // "robot" as the English model reads it over "rob아".
    const std::vector<std::tuple<std::string, int, int, float>> robot = {{" r", 0, 20, 84},
                                                                         {"o", 20, 40, 84},
                                                                         {"b", 40, 60, 84},
                                                                         {"o", 60, 70, 84},
                                                                         {"t", 70, 80, 84}};
    const std::vector<Case> cases = {
        {"a sure word replaces the Hangul model's",
         {{"파", "일"}, {"x", "2"}},
         {{" x", 70, 90, 90}, {"z", 90, 110, 90}},
         "파일 xz\n"},
        {"a doubted word does not",
         {{"파", "일"}, {"x", "2"}},
         {{" x", 70, 90, 30}, {"z", 90, 110, 30}},
         "파일 x2\n"},
        {"before a Hangul ending the English word's confidence does not count, and "
         "what lies over the ending is not taken",
         {{"파", "일"}, {"U", "R", "1", "는"}},
         {{" U", 70, 90, 10}, {"R", 90, 110, 10}, {"I", 110, 130, 10}, {"=", 132, 148, 10}},
         "파일 URI는\n"},
        {"digits stay unless the English model is sure of a word of letters",
         {{"3", "번"}, {"2"}},
         {{" S", 0, 20, 95}, {" X", 70, 80, 88}, {"Z", 80, 90, 88}},
         "3번 XZ\n"},
        {"a reading that is not ASCII is no Latin reading",
         {{"파", "일"}, {"o", "k"}},
         {{" ö", 70, 90, 95}, {"k", 90, 110, 95}},
         "파일 ok\n"},
        {"a dash before a letter is a hyphen, and one for the Hangul model's two is two",
         {{"파", "일"}, {"—", "—", "k"}},
         {{" —", 70, 110, 95}, {"k", 110, 130, 95}},
         "파일 --k\n"},
        {"a word lying mostly over Hangul words gives none of its characters to a Latin "
         "word",
         {{"6", "x"}, {"옵", "션"}},
         {{" e", 0, 20, 71},
          {"x", 20, 40, 71},
          {" S", 45, 55, 18},
          {"N", 75, 95, 18},
          {"S", 95, 115, 18}},
         "ex 옵션\n"},
        {"a doubted syllable the English model reads on the Latin word is its end",
         {{"r", "o", "b", "아?"}},
         robot,
         "robot\n"},
        {"a sure one is not", {{"r", "o", "b", "아"}}, robot, "rob아\n"},
        {"sure syllables are where the English model is all but certain of lower-case "
         "letters",
         {{"r", "o", "바", "아"}},
         {{" r", 0, 20, 99},
          {"o", 20, 40, 99},
          {"b", 40, 50, 99},
          {"o", 50, 60, 99},
          {"t", 60, 70, 99},
          {"s", 70, 80, 99}},
         "robots\n"},
        {"but not where it reads a capital, as it reads a particle",
         {{"x", "z", "를"}},
         {{" x", 0, 20, 99}, {"z", 20, 40, 99}, {"S", 40, 60, 99}},
         "xz를\n"},
        {"a word the Hangul model split is joined where the English model read one",
         {{"X", "Z", "_"}, {"O", "P"}, {"가"}},
         {{" X", 0, 20, 90},
          {"Z", 20, 40, 90},
          {"_", 40, 60, 90},
          {"O", 90, 110, 90},
          {"P", 110, 130, 90},
          {"T", 130, 148, 90}},
         "XZ_OPT 가\n"},
        {"a fair reading replaces a word the Hangul model was lost in",
         {{"파", "일"}, {"/!", "“", "1", "0"}},
         {{" /", 70, 90, 50}, {"v", 90, 110, 50}, {"a", 110, 130, 50}, {"r", 130, 150, 50}},
         "파일 /var\n"},
        {"but not one whose reading shows no sign of it",
         {{"파", "일"}, {"C!", "T", "R", "L"}},
         {{" C", 70, 90, 50}, {"R", 90, 130, 50}, {"L", 130, 150, 50}},
         "파일 CTRL\n"},
        {"a name read as digits takes English letters all of them near certain, however "
         "doubted the word they begin that goes on over the ending",
         {{"파", "일"}, {"1!", "6", "0", "에", "서"}},
         {{" l", 70, 90, 95}, {"e", 90, 110, 95}, {"x", 110, 130, 95}, {"d", 132, 148, 95}},
         "파일 lex에서\n",
         20},
        {"but not when one letter is in doubt",
         {{"파", "일"}, {"1!", "6", "0", "에", "서"}},
         {{" l", 70, 90, 95}, {"e", 90, 110, 80}, {"x", 110, 130, 95}, {"d", 132, 148, 95}},
         "파일 160에서\n",
         20},
        {"nor for quotation marks",
         {{"“!", "k", "e", "y", "”"}},
         {{" \"", 0, 20, 95},
          {"k", 20, 40, 95},
          {"a", 40, 60, 95},
          {"y", 60, 80, 95},
          {"\"", 80, 100, 95}},
         "“key”\n",
         20},
        {"nor for an option's long dashes alone",
         {{"—!", "—", "k", "e", "y"}},
         {{" —", 0, 40, 95}, {"k", 40, 60, 95}, {"a", 60, 80, 95}, {"y", 80, 100, 95}},
         "——key\n",
         20},
        {"a full stop before a particle is the English model's reading of its first stroke",
         {{"V", "i", "m", "은"}},
         {{" V", 0, 20, 90}, {"i", 20, 40, 90}, {"m", 40, 50, 90}, {".", 50, 58, 90}},
         "Vim은\n"},
        {"a lone mark is the letter the English model is sure of, whatever its word",
         {{"니", "다"}, {"》"}, {"를"}},
         {{" S", 0, 20, 95}, {"U", 20, 40, 95}, {"y", 70, 90, 95}, {"S", 120, 140, 95}},
         "니다 y 를\n"},
        {"and so is a lone digit, but for a letter a digit looks like or an ASCII mark",
         {{"대", "문", "자"}, {"9"}, {"6"}, {"%"}, {"를", "입", "력"}},
         {{" S", 0, 20, 95},
          {"U", 20, 40, 95},
          {"C", 40, 60, 95},
          {"p", 90, 110, 95},
          {"G", 140, 160, 95},
          {"s", 190, 210, 95},
          {"S", 240, 260, 95},
          {"A", 260, 280, 95},
          {"B", 280, 300, 95}},
         "대문자 p 6 % 를입력\n"},
        {"a character between two words goes to one of them only",
         {{"a", "b"}, {"c", "d"}},
         {{" a", 0, 20, 95},
          {"b", 20, 40, 95},
          {"x", 48, 52, 95},
          {" c", 70, 90, 95},
          {"d", 90, 110, 95}},
         "abx cd\n"},
    };
    for (const Case& c : cases) {
        std::vector<Symbol> symbols = Placed(c.words);
        // A syllable written with a question mark is one the Hangul model
        // doubts; a character written with an exclamation mark begins a word
        // it was lost in.
        for (Symbol& symbol : symbols) {
            if (symbol.text.size() > 1 && symbol.text.back() == '?') {
                symbol.text.pop_back();
                symbol.confidence = 30;
            } else if (symbol.text.size() > 1 && symbol.text.back() == '!') {
                symbol.text.pop_back();
                symbol.wordConfidence = 0;
            }
        }
        std::vector<Symbol> english = English(c.english);
        if (c.wordConfidence >= 0) {
            for (Symbol& symbol : english) {
                symbol.wordConfidence = c.wordConfidence;
            }
        }
        engine::TakeLatinParts(symbols, engine::LatinParts(symbols), english, 36);
        EXPECT_EQ(c.expected, engine::Text(symbols)) << c.what;
    }
}

}  // namespace

TEST(EngineSymbols, AParticleWhoseInkReachesFarLeftSwallowedALatinWord) {
    // Placed characters are 20 pixels wide: "파일을 은 다시" with the ink
    // of the words drawn and, where a case says so, ink from `unread` on
    // before the fourth symbol (the Hangul model's box stretched over it).
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> words;
        int unread;                 // first column of ink before the fourth symbol; 0 for none
        std::vector<int> expected;  // first, from, split; empty for none
    };
    const Case cases[] = {
        {"killall은", {{"파", "일", "을"}, {"은"}, {"다", "시"}}, 72, {3, 72, 90}},
        {"a particle of its own", {{"파", "일", "을"}, {"은"}, {"다", "시"}}, 0, {}},
        {"a word of three syllables",
         {{"파", "일", "을"}, {"은", "하", "다"}, {"다", "시"}},
         72,
         {}},
        {"a Latin word read", {{"파", "일", "을"}, {"x", "z", "은"}, {"다", "시"}}, 72, {}},
    };
    for (const Case& c : cases) {
        std::vector<Symbol> symbols = Placed(c.words);
        std::vector<char> inked(300, 0);
        for (const Symbol& symbol : symbols) {
            std::fill(inked.begin() + symbol.left + 2, inked.begin() + symbol.right - 2, 1);
        }
        if (c.unread > 0) {
            std::fill(inked.begin() + c.unread, inked.begin() + symbols[3].right - 2, 1);
            symbols[3].left = c.unread - 2;
        }
        std::vector<int> found;
        for (const engine::Swallowed& word : engine::SwallowedWords(symbols, inked, 20)) {
            found.insert(found.end(), {static_cast<int>(word.first), word.from, word.split});
        }
        EXPECT_EQ(found, c.expected) << c.what;
    }
}

TEST(EngineSymbols, EachSyllableIsTakenFromTheModelSurerOfIt) {
    // The first model's "옴션을, ls를", unsure of 옴.
    auto own = [] {
        auto symbols = Placed({{"옴", "션", "을", ","}, {"l", "s", "를"}});
        const float confidences[] = {80, 97, 95, 90, 90, 90, 99};
        for (size_t i = 0; i < symbols.size(); ++i) {
            symbols[i].confidence = confidences[i];
        }
        return symbols;
    };
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> other;
        int shift;  // of the second reading's boxes, in pixels
        const char* expected;
    };
    const Case cases[] = {
        {"surer syllables taken, Latin words kept",
         {{"옵", "선", "을"}, {"느", "스", "를"}},
         0,
         "옵션을, ls를\n"},
        {"boxes a little apart", {{"옵", "선", "을"}}, 5, "옵션을, ls를\n"},
        {"a word of other length", {{"옵", "션", "이", "을"}}, 0, "옴션을, ls를\n"},
        {"a Latin reading", {{"o", "p", "t"}}, 0, "옴션을, ls를\n"},
        {"a word elsewhere on the line", {{"옵", "선", "을"}}, 15, "옴션을, ls를\n"},
    };
    for (const Case& c : cases) {
        auto symbols = own();
        auto other = Placed(c.other);
        for (Symbol& symbol : other) {
            symbol.left += c.shift;
            symbol.right += c.shift;
            symbol.confidence = symbol.text == "선" ? 80 : 99;
        }
        ASSERT_TRUE(engine::DoubtsASyllable(symbols));
        engine::TakeSurerSyllables(symbols, other);
        EXPECT_EQ(c.expected, engine::Text(symbols)) << c.what;
    }
}
