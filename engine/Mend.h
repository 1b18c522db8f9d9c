// Repairs of a line's text for confusions of the recogniser that the text
// itself gives away, whatever the page.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// A hyphen, or an en or em dash, which the recogniser reads for a hyphen.
bool IsDash(char32_t c);

// `line` with
// - the dashes right before a Latin letter made hyphens, one for each: the
//   hyphens of an option name ("--keep"), which the recogniser takes for em
//   or en dashes as long as a letter is wide;
// - a syllable ending in ㅁ before "니다" or "니까" given the ㅂ it had: the
//   formal ending is always "-ㅂ니다" ("나타냅니다"), and the recogniser
//   often takes its ㅂ for ㅁ ("나타냄니다"), which Korean never writes;
// - a full stop right before a syllable, at the line's start or after a
//   blank, taken out, and between two syllables made a blank, but after the
//   endings of sentences (다, 요, 까): Korean begins no word with a full
//   stop and puts a blank after one, and such a dot is a speck of a fax;
// - a capital I that begins a Latin word made l where English has no such
//   word ("Izma", "Ic" for "lzma", "lc"): the recogniser reads the l of
//   command and option names as I.
std::string Mended(std::string_view line);

}  // namespace engine
