// The runtime error that operations pass to their callers: a runtime error
// number (5, 6, 9, 52-76, ...) and its description in Korean, the language of
// the user interface.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace filecontrol {

namespace vberr {
constexpr int32_t kInvalidCall = 5;
constexpr int32_t kOverflow = 6;
constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kBadFileNameOrNumber = 52;
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kBadFileMode = 54;
constexpr int32_t kFileAlreadyOpen = 55;
constexpr int32_t kDeviceIoError = 57;
constexpr int32_t kFileAlreadyExists = 58;
constexpr int32_t kDiskFull = 61;
constexpr int32_t kInputPastEnd = 62;
constexpr int32_t kTooManyFiles = 67;
constexpr int32_t kDeviceUnavailable = 68;
constexpr int32_t kPermissionDenied = 70;
constexpr int32_t kDiskNotReady = 71;
constexpr int32_t kRenameAcrossDrives = 74;
constexpr int32_t kPathFileAccessError = 75;
constexpr int32_t kPathNotFound = 76;
constexpr int32_t kNotSupported = 445;
}  // namespace vberr

class VbError : public std::runtime_error {
  public:
    // Without a description the standard one for the number is used.
    explicit VbError(int32_t number, const std::string& description = std::string());

    int32_t number() const { return number_; }
    const std::string& description() const { return description_; }

    static std::string StandardDescription(int32_t number);

  private:
    int32_t number_;
    std::string description_;
};

// The runtime error for a file operation that the platform refused with the
// Win32 code `error`.
int32_t RuntimeErrorFromWin32(uint32_t error);

// Runs `body` for an operation that traps every error: whatever it raises,
// standard or not, stops it there and goes no further. False when it was
// stopped; the operation then answers what its result held at that moment.
template <typename Body>
bool RunTrapped(Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace filecontrol
