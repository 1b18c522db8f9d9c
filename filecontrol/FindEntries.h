// The find service as the operations of clsFileControl walk it: records with
// their names cut at the first NUL and converted from the code page, "." and
// ".." left out, every enumeration closed however the walk ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filecontrol/StrArray.h"
#include "platform/attributes.h"
#include "platform/find.h"

namespace filecontrol {

// One find enumeration, closed when the object goes.
class FindHandle {
  public:
    // Starts the enumeration of `pattern` (UTF-8), reading `fields` of each
    // record; valid() tells whether anything matched. A name the code page
    // cannot hold matches nothing, since its "?" would match other names.
    FindHandle(const std::string& pattern, platform::DWORD fields);
    ~FindHandle();
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool valid() const { return handle_ != platform::INVALID_HANDLE_VALUE; }
    const platform::WIN32_FIND_DATA& record() const { return data_; }
    // The record's name cut at its first NUL, still in the code page.
    std::string rawName() const;
    // Whether the record is the folder's "." or ".." entry.
    bool dotEntry() const;
    // Fetches the next record; false when there is none.
    bool Next();

  private:
    platform::WIN32_FIND_DATA data_;
    platform::HANDLE handle_;
};

struct FoundEntry {
    std::string name;  // UTF-8, no folder part
    platform::DWORD attributes;
    uint64_t size;  // 0 unless the size was asked for
};

// Calls `accept` for every entry that `pattern` (UTF-8) yields, "." and ".."
// left out, in the service's order.
void ForEachEntry(const std::string& pattern, platform::DWORD fields,
                  const std::function<void(const FoundEntry&)>& accept);

bool IsFolder(platform::DWORD attributes);

// One folder of a tree walk (`folder` without a final separator, "" for the
// root): `subfolders` becomes the names of all its subfolders, in the
// service's order, and `onFile` gets each entry other than a folder that
// `pattern` matches. Where the pattern holds wildcards and no separator, one
// enumeration serves both; a plain name is looked up on its own, as the find
// service resolves it.
void ScanFolder(const std::string& folder, const std::string& pattern, platform::DWORD fields,
                StrArray& subfolders, const std::function<void(const FoundEntry&)>& onFile);

// The folders on the way down a tree walk, by identity, so that a link that
// leads back up is not followed into an endless descent.
class AncestorScope {
  public:
    // Enters `folder`; repeat() tells whether it is already on the way down.
    AncestorScope(std::vector<platform::FileIdentity>& ancestors, const std::string& folder);
    ~AncestorScope();
    AncestorScope(const AncestorScope&) = delete;
    AncestorScope& operator=(const AncestorScope&) = delete;

    bool repeat() const { return repeat_; }

  private:
    std::vector<platform::FileIdentity>& ancestors_;
    bool pushed_ = false;
    bool repeat_ = false;
};

}  // namespace filecontrol
