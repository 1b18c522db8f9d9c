#include "filecontrol/ItemReader.h"

namespace filecontrol {

std::string ItemReader::Next() {
    while (pos_ < text_.size() && text_[pos_] == ' ') {
        ++pos_;
    }
    std::string item;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const size_t close = text_.find('"', pos_ + 1);
        const size_t end = close == std::string::npos ? text_.size() : close;
        item = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end == text_.size() ? end : end + 1;
        SkipDelimiter();
        return item;
    }
    const size_t end = text_.find_first_of(",\r\n", pos_);
    const size_t stop = end == std::string::npos ? text_.size() : end;
    item = text_.substr(pos_, stop - pos_);
    const size_t last = item.find_last_not_of(' ');
    item.resize(last == std::string::npos ? 0 : last + 1);
    pos_ = stop;
    SkipDelimiter();
    return item;
}

void ItemReader::SkipDelimiter() {
    const size_t end = text_.find_first_of(",\r\n", pos_);
    if (end == std::string::npos) {
        pos_ = text_.size();
        return;
    }
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
        ++pos_;
    }
}

}  // namespace filecontrol
