// Small text helpers shared by the layer, the library and the engine: the
// UTF-8 sequences of a byte string and the case of ASCII letters. Nothing here
// depends on the operating system or the code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at byte
// `pos` of `text`, or 0 where none does (a stray or cut byte, an overlong or
// out-of-range lead byte).
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// The code point of the sequence of `length` bytes (as answered above, not 0)
// at byte `pos`.
char32_t Utf8CodePoint(std::string_view text, size_t pos, size_t length);

// One character of a UTF-8 text: its code point and its bytes. A byte that
// starts no well-formed sequence is a character of its own, U+FFFD.
struct Utf8Character {
    char32_t code;
    std::string_view bytes;
};

// The characters of `text`, which they point into.
std::vector<Utf8Character> Utf8Characters(std::string_view text);

// Appends the UTF-8 sequence of the code point `c` (at most U+10FFFF) to `out`.
void AppendUtf8(std::string& out, char32_t c);

constexpr bool IsAsciiLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}
constexpr bool IsAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// a-z upper-cased; every other byte unchanged.
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string AsciiUpper(std::string_view text);

// A-Z lower-cased; every other byte unchanged (whatever the C locale says).
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiLower(std::string_view text);

}  // namespace platform
