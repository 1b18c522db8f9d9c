#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every length of sequence is written as the decoder reads it back.
TEST(Utf8, CodePointsRoundTrip) {
    for (char32_t c : {U'A', U'\u00E9', U'\uAC00', U'\uD7A3', U'\U0001F600', U'\U0010FFFF'}) {
        std::string encoded;
        platform::AppendUtf8(encoded, c);
        const size_t length = platform::Utf8SequenceLength(encoded, 0);
        ASSERT_EQ(encoded.size(), length) << static_cast<unsigned>(c);
        EXPECT_EQ(c, platform::Utf8CodePoint(encoded, 0, length));
    }
}

}  // namespace
