#include "filecontrol/StrArray.h"

#include <limits>

#include "filecontrol/VbError.h"

namespace filecontrol {

StrArray::StrArray(int32_t lower, std::initializer_list<std::string> items)
    : dimensioned_(true), lower_(lower), items_(items) {}

StrArray StrArray::Empty() {
    StrArray array;
    array.ReDim(0, -1);
    return array;
}

int32_t StrArray::LBound() const {
    if (!dimensioned_) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    return lower_;
}

int32_t StrArray::UBound() const {
    if (!dimensioned_) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    return static_cast<int32_t>(lower_ + static_cast<int64_t>(items_.size()) - 1);
}

void StrArray::ReDim(int32_t lower, int32_t upper) {
    if (static_cast<int64_t>(upper) < static_cast<int64_t>(lower) - 1) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    dimensioned_ = true;
    lower_ = lower;
    items_.assign(static_cast<size_t>(static_cast<int64_t>(upper) - lower + 1), std::string());
}

void StrArray::ReDimPreserve(int32_t upper) {
    const int32_t lower = dimensioned_ ? lower_ : 0;
    if (static_cast<int64_t>(upper) < static_cast<int64_t>(lower) - 1) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    dimensioned_ = true;
    lower_ = lower;
    items_.resize(static_cast<size_t>(static_cast<int64_t>(upper) - lower + 1));
}

std::string& StrArray::Append(std::string value) {
    if (dimensioned_ && UBound() == std::numeric_limits<int32_t>::max()) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    if (!dimensioned_) {
        dimensioned_ = true;
        lower_ = 0;
    }
    items_.push_back(std::move(value));
    return items_.back();
}

void StrArray::Erase() {
    dimensioned_ = false;
    lower_ = 0;
    items_.clear();
}

size_t StrArray::Offset(int32_t index) const {
    if (!dimensioned_ || index < lower_ ||
        static_cast<int64_t>(index) - lower_ >= static_cast<int64_t>(items_.size())) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    return static_cast<size_t>(static_cast<int64_t>(index) - lower_);
}

std::string& StrArray::operator[](int32_t index) {
    return items_[Offset(index)];
}

const std::string& StrArray::operator[](int32_t index) const {
    return items_[Offset(index)];
}

}  // namespace filecontrol
