#include "filecontrol/FileAccess.h"

#include "filecontrol/VbError.h"
#include "platform/codepage.h"

namespace filecontrol::detail {

namespace {

[[noreturn]] void Raise(platform::DWORD error) {
    throw VbError(RuntimeErrorFromWin32(error));
}

// A name with characters that the code page cannot hold would reach the file
// system with "?" in their place and name another file; it is refused.
std::string AnsiName(const std::string& fileName) {
    if (!platform::FitsCodePage(fileName)) {
        Raise(platform::ERROR_INVALID_NAME);
    }
    return platform::ToAnsi(fileName);
}

}  // namespace

std::string ReadBytes(const std::string& fileName, platform::FileShare share,
                      bool createWhenMissing) {
    platform::DWORD error = 0;
    const std::string name = AnsiName(fileName);
    auto file = platform::SharedFile::Open(
        name, createWhenMissing ? platform::FileAccess::ReadWrite : platform::FileAccess::Read,
        createWhenMissing ? platform::FileDisposition::OpenAlways
                          : platform::FileDisposition::OpenExisting,
        share, error);
    if (!file && createWhenMissing && error == platform::ERROR_ACCESS_DENIED) {
        // An existing read-only file is still read.
        file = platform::SharedFile::Open(name, platform::FileAccess::Read,
                                          platform::FileDisposition::OpenExisting, share, error);
    }
    if (!file) {
        Raise(error);
    }
    std::string bytes;
    if (!file->ReadAll(bytes, error) || !file->Close(error)) {
        Raise(error);
    }
    return bytes;
}

void WriteBytes(const std::string& fileName, std::string_view bytes, WriteMode mode,
                platform::FileShare share) {
    platform::DWORD error = 0;
    const bool append = mode == WriteMode::Append;
    auto file = platform::SharedFile::Open(
        AnsiName(fileName), platform::FileAccess::Write,
        append ? platform::FileDisposition::OpenAlways : platform::FileDisposition::CreateAlways,
        share, error, append);
    if (!file) {
        Raise(error);
    }
    if (!file->Write(bytes, error) || !file->Close(error)) {
        Raise(error);
    }
}

}  // namespace filecontrol::detail
