#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/Mend.h"

namespace {

TEST(EngineMend, OptionDashesAndFormalEndingsAreMended) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Dashes before a Latin letter are an option's hyphens.
        {"——keep 옵션", "--keep 옵션"},
        {"–v", "-v"},
        {"—-format", "--format"},
        {"a—–b", "a--b"},
        // Other dashes stay as they were read.
        {"가 — 나", "가 — 나"},
        {"끝——", "끝——"},
        {"—1", "—1"},
        {"—\xff", "—\xff"},
        // A syllable ending in ㅁ before the formal ending takes its ㅂ.
        {"나타냄니다.", "나타냅니다."},
        {"씀니까?", "씁니까?"},
        {"임니다", "입니다"},
        // Elsewhere ㅁ stays: a noun before 니 ("김니"), or no ending after it.
        {"김니은", "김니은"},
        {"나타냄", "나타냄"},
        {"합니다", "합니다"},
        // A full stop before a syllable is a speck beside a word.
        {"쪽부터.차례대로.처리합니다.", "쪽부터 차례대로 처리합니다."},
        {".압축할 때 .출력", "압축할 때 출력"},
        {"1.6 판, foo.xz 파일, 다.b", "1.6 판, foo.xz 파일, 다.b"},
        // After a sentence's end it is a full stop whose blank was lost.
        {"합니다.이는 해요.그럼 할까.다음", "합니다.이는 해요.그럼 할까.다음"},
        // A capital I that begins no English word is an l.
        {"Izma 파일, Ic=3 값과 (Ip)", "lzma 파일, lc=3 값과 (lp)"},
        {"If In Is It Icon Illegal I xI ISO", "If In Is It Icon Illegal I xI ISO"},
        {"", ""},
    };
    for (const auto& [read, mended] : cases) {
        EXPECT_EQ(mended, engine::Mended(read)) << read;
    }
}

}  // namespace
