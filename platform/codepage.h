// The system's ANSI code page: the character set that texts take on their way
// to the operating system, to files and to the OCR engine. Inside the program
// every text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The code page in force, as an iconv name ("UTF-8", "CP949", ...). Unless set
// explicitly it is the character set of the user's locale; the C and POSIX
// locales count as UTF-8 and EUC-KR is taken as its superset CP949.
std::string CodePageName();

// Makes `name` the code page in force; the empty name returns to the locale's.
// Answers false, and leaves the code page unchanged, for a name the converter
// does not know.
bool SetCodePage(const std::string& name);

bool CodePageIsUtf8();

// The code page that the locale `localeName` ("" for the user's) implies.
std::string CodePageForLocale(const std::string& localeName);

// UTF-8 text to bytes in the code page. A character the code page cannot hold,
// and a byte that is not valid UTF-8, becomes "?". With a UTF-8 code page the
// bytes pass through unchanged.
std::string ToAnsi(std::string_view text);

// True when `text` survives the way to the code page and back unchanged, so
// that no character of it would become "?".
bool FitsCodePage(std::string_view text);

// Bytes in the code page to UTF-8 text. A byte sequence that is not valid in
// the code page becomes "?". With a UTF-8 code page the bytes pass through.
std::string FromAnsi(std::string_view bytes);

}  // namespace platform
