// Whole-file reads and writes for the text operations of clsFileControl. Names
// are UTF-8 and go to the platform in the code page; contents are the bytes as
// they are on disk. Every failure throws VbError with the runtime error that
// the platform's refusal stands for, and no file stays open afterwards.
#pragma once

#include <string>
#include <string_view>

#include "platform/sharedfile.h"

namespace filecontrol::detail {

enum class WriteMode { Output, Append };

// The whole content of an existing file, or of a file created empty when
// `createWhenMissing` is set.
std::string ReadBytes(const std::string& fileName, platform::FileShare share,
                      bool createWhenMissing = false);

// Output creates or empties the file; Append adds at its end, creating it when
// missing.
void WriteBytes(const std::string& fileName, std::string_view bytes, WriteMode mode,
                platform::FileShare share);

}  // namespace filecontrol::detail
