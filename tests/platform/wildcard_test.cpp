#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace {

using platform::MatchesWildcard;

TEST(WildcardTest, StarDotStarMatchesEveryName) {
    EXPECT_TRUE(MatchesWildcard("a.txt", "*.*"));
    EXPECT_TRUE(MatchesWildcard("README", "*.*"));
    EXPECT_TRUE(MatchesWildcard(".", "*.*"));
    EXPECT_TRUE(MatchesWildcard("..", "*.*"));
    EXPECT_TRUE(MatchesWildcard("a.b.c", "*.*"));
}

TEST(WildcardTest, QuestionMarkIsExactlyOneCharacter) {
    EXPECT_TRUE(MatchesWildcard("a.txt", "?.txt"));
    EXPECT_FALSE(MatchesWildcard("ab.txt", "?.txt"));
    EXPECT_FALSE(MatchesWildcard(".txt", "?.txt"));
    // One Hangul syllable is one character, whatever its byte count.
    EXPECT_TRUE(MatchesWildcard("한.txt", "?.txt"));
    EXPECT_TRUE(MatchesWildcard("한글.txt", "한?.txt"));
}

TEST(WildcardTest, LettersMatchRegardlessOfCase) {
    EXPECT_TRUE(MatchesWildcard("REPORT.TXT", "*.txt"));
    EXPECT_TRUE(MatchesWildcard("report.txt", "REPORT.*"));
    EXPECT_FALSE(MatchesWildcard("report.txt", "*.doc"));
}

TEST(WildcardTest, StarBacktracks) {
    EXPECT_TRUE(MatchesWildcard("abcabd", "*abd"));
    EXPECT_TRUE(MatchesWildcard("a.tar.gz", "*.gz"));
    EXPECT_FALSE(MatchesWildcard("a.tar.gz", "*.tar"));
    EXPECT_TRUE(MatchesWildcard("x", "**"));
    EXPECT_FALSE(MatchesWildcard("", "?"));
}

TEST(WildcardTest, FinalDotStarAlsoMatchesWhereTheNameEnds) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"data", "data.*", true},    {"data", "d*.*", true},  {"date", "data.*", false},
        {"a.txt", "a.txt.*", true},  {"A.B", "a.b.*", true},  {"x.txt", "*.txt.*", true},
        {"x.doc", "*.txt.*", false}, {"a.txt", "*.*.", true}, {"noext", "*.*.", true},
        {"noext", "*.", true},       {"a.txt", "*.", false},  {"a.txt", "a.txt..", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
    }
}

TEST(WildcardTest, InvalidUtf8BytesAreOrdinaryCharacters) {
    EXPECT_TRUE(MatchesWildcard("bad\xFF", "bad?"));
    EXPECT_TRUE(MatchesWildcard("\xFF\xFE", "*"));
    EXPECT_FALSE(MatchesWildcard("bad\xFF", "bad\xFE"));
}

}  // namespace
