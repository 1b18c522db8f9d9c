// Files opened with Windows-style sharing restrictions.
//
// Every open made through this class announces the access it takes and the
// access it denies to others, and is refused with ERROR_SHARING_VIOLATION when
// it clashes with an open that another process (or another open in this one)
// holds. The restriction is cooperative: it binds the opens made through this
// layer, realised with open file description locks on bytes far beyond any
// real file content.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32types.h"

namespace platform {

// A write past the process's file-size limit must fail with an error instead
// of ending the process: the signal is ignored unless the program installed a
// handler of its own. Every writer of this layer calls it.
void IgnoreFileSizeSignal();

enum class FileAccess { Read, Write, ReadWrite };

enum class FileShare { DenyNone, DenyRead, DenyWrite, DenyReadWrite };

enum class FileDisposition {
    OpenExisting,  // the file must exist
    OpenAlways,    // created when missing, content kept
    CreateAlways,  // created when missing, emptied when it exists
};

class SharedFile {
  public:
    // Null on failure, with `error` (and the last error) set to the Win32 code.
    // With `append` every write goes to the end of the file. Truncation of a
    // CreateAlways open happens only once the sharing check has passed.
    static std::unique_ptr<SharedFile> Open(const std::string& path, FileAccess access,
                                            FileDisposition disposition, FileShare share,
                                            DWORD& error, bool append = false);

    ~SharedFile();
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    // Reads from the current position to the end of the file.
    bool ReadAll(std::string& out, DWORD& error);
    bool Write(std::string_view bytes, DWORD& error);
    // Closes the file; false when the last writes could not be committed.
    bool Close(DWORD& error);

  private:
    explicit SharedFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

}  // namespace platform
