// The result buffer of a recognition as the window keeps and writes it: a
// fixed number of characters, the text then a NUL then blanks.
#pragma once

#include <string>

#include "filecontrol/VbString.h"

namespace app {

constexpr int kResultLength = 65000;

// A text as the fixed-length buffer holds it: cut or padded with blanks.
inline std::string FixedLength(const std::string& text) {
    const int64_t length = filecontrol::vb::Len(text);
    if (length >= kResultLength) {
        return filecontrol::vb::Left(text, kResultLength);
    }
    return text + std::string(static_cast<size_t>(kResultLength - length), ' ');
}

// The result file of an image: its path with the last three characters
// replaced by "txt" (page1.png gives page1.txt).
inline std::string ResultFileOf(const std::string& imagePath) {
    return filecontrol::vb::Left(imagePath, filecontrol::vb::Len(imagePath) - 3) + "txt";
}

}  // namespace app
