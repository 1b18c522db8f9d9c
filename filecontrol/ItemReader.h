// Reads the data items of a sequential text file one after the other: leading
// blanks are skipped; an item that starts with a double quote runs to the
// closing quote (commas and line breaks inside belong to it); any other item
// runs to the next comma or line end and loses its trailing blanks. The comma
// or line end after an item is consumed, so one line may give several items.
#pragma once

#include <string>

namespace filecontrol {

class ItemReader {
  public:
    // The reader keeps its own copy of the text.
    explicit ItemReader(std::string text) : text_(std::move(text)) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    // The next item; the empty string at the end of the text.
    std::string Next();

  private:
    // Consumes the rest of the field up to and including its delimiter.
    void SkipDelimiter();

    std::string text_;
    size_t pos_ = 0;
};

}  // namespace filecontrol
