// A dynamic one-dimensional string array as the operations of clsFileControl
// hand them around: it may have no bounds yet, be empty (lower bound 0, upper
// bound -1), start at any lower bound, grow keeping its contents, and raise
// the subscript-out-of-range error (9) for an index outside its bounds or any
// use of its bounds while it has none.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace filecontrol {

class StrArray {
  public:
    // No bounds yet.
    StrArray() = default;
    // Elements from index `lower` on.
    StrArray(int32_t lower, std::initializer_list<std::string> items);

    // The empty array with bounds 0 to -1.
    static StrArray Empty();

    bool IsDimensioned() const { return dimensioned_; }
    int32_t LBound() const;
    int32_t UBound() const;

    // New bounds, every element blank; `upper` may be `lower` - 1.
    void ReDim(int32_t lower, int32_t upper);
    // New upper bound, keeping the lower bound and the elements that stay in
    // range. An array without bounds gets the lower bound 0.
    void ReDimPreserve(int32_t upper);
    // Adds one element after the last and answers it.
    std::string& Append(std::string value = std::string());
    // Back to no bounds.
    void Erase();

    std::string& operator[](int32_t index);
    const std::string& operator[](int32_t index) const;

    // The elements in index order.
    const std::vector<std::string>& Items() const { return items_; }

  private:
    size_t Offset(int32_t index) const;

    bool dimensioned_ = false;
    int32_t lower_ = 0;
    std::vector<std::string> items_;
};

}  // namespace filecontrol
