#include "platform/profile_text.h"

#include <vector>

#include "platform/text.h"

namespace platform {

namespace {

struct Line {
    size_t start;    // first byte of the line
    size_t textEnd;  // end of its text, before the line break
    size_t end;      // after its line break
};

std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        const size_t brk = content.find_first_of("\r\n", pos);
        if (brk == std::string_view::npos) {
            lines.push_back({pos, content.size(), content.size()});
            break;
        }
        size_t next = brk + 1;
        if (content[brk] == '\r' && next < content.size() && content[next] == '\n') {
            ++next;
        }
        lines.push_back({pos, brk, next});
        pos = next;
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

// The section name of a header line, or nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return text.substr(1, close - 1);
}

// The key of a "key=value" line, or nothing for any other line.
std::optional<std::string_view> KeyOf(std::string_view text) {
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return text.substr(0, eq);
}

std::string_view TextOf(std::string_view content, const Line& line) {
    return content.substr(line.start, line.textEnd - line.start);
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
    // Only the first section of the name counts, as for the writer: a key
    // that stands only in a later copy is missing.
    bool inSection = false;
    for (const Line& line : SplitLines(content)) {
        const std::string_view text = TextOf(content, line);
        if (const auto name = SectionOf(text)) {
            if (inSection) {
                return std::nullopt;
            }
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const auto lineKey = KeyOf(text);
        if (!lineKey || !SameName(*lineKey, key)) {
            continue;
        }
        std::string_view value = TrimBlanks(text.substr(lineKey->size() + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

std::string SetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value) + "\r\n";
    const std::vector<Line> lines = SplitLines(content);
    bool inSection = false;
    bool sectionFound = false;
    size_t insertAt = 0;  // after the last non-blank line of the section
    for (const Line& line : lines) {
        const std::string_view text = TextOf(content, line);
        if (const auto name = SectionOf(text)) {
            if (inSection) {
                break;  // the section ended without the key
            }
            inSection = SameName(*name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = line.end;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto lineKey = KeyOf(text); lineKey && SameName(*lineKey, key)) {
            std::string out(content.substr(0, line.start));
            out += newLine;
            out += content.substr(line.end);
            return out;
        }
        if (!TrimBlanks(text).empty()) {
            insertAt = line.end;
        }
    }
    std::string out(content);
    if (!sectionFound) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') {
            out += "\r\n";
        }
        out += "[" + std::string(section) + "]\r\n" + newLine;
        return out;
    }
    std::string head(content.substr(0, insertAt));
    if (!head.empty() && head.back() != '\n' && head.back() != '\r') {
        head += "\r\n";  // the section's last line had no line break
    }
    return head + newLine + std::string(content.substr(insertAt));
}

}  // namespace platform
