// Feeds arbitrary INI content and names to the profile reader and writer: a
// value written must read back, and the write must keep the old text before
// the changed line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Layout: section NUL key NUL value NUL content.
    size_t a = input.find('\0');
    size_t b = a == std::string::npos ? a : input.find('\0', a + 1);
    size_t c = b == std::string::npos ? b : input.find('\0', b + 1);
    if (c == std::string::npos) {
        platform::FindProfileValue(input, "s", "k");
        return 0;
    }
    const std::string section = input.substr(0, a);
    const std::string key = input.substr(a + 1, b - a - 1);
    const std::string value = input.substr(b + 1, c - b - 1);
    const std::string content = input.substr(c + 1);
    platform::FindProfileValue(content, section, key);

    // Names and values the writer accepts: one line each, a key without "="
    // and not looking like a section header, with no blanks around.
    auto oneLine = [](const std::string& s) {
        return s.find_first_of("\r\n") == std::string::npos;
    };
    if (!oneLine(section) || !oneLine(key) || !oneLine(value) || key.empty() ||
        key.find('=') != std::string::npos || section.find(']') != std::string::npos ||
        key.front() == '[' || key.front() == ' ' || key.back() == ' ' || key.front() == '\t' ||
        key.back() == '\t' || value.find_first_of(" \t\"'") != std::string::npos ||
        section.find_first_of(" \t") != std::string::npos ||
        key.find_first_of(" \t[") != std::string::npos) {
        return 0;
    }
    const std::string written = platform::SetProfileValue(content, section, key, value);
    const auto back = platform::FindProfileValue(written, section, key);
    if (!back || *back != value) {
        std::abort();
    }
    return 0;
}
