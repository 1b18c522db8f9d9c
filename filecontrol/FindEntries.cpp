#include "filecontrol/FindEntries.h"

#include <algorithm>
#include <cstring>

#include "platform/codepage.h"
#include "platform/wildcard.h"

namespace filecontrol {

FindHandle::FindHandle(const std::string& pattern, platform::DWORD fields)
    : handle_(platform::FitsCodePage(pattern)
                  ? platform::FindFirstFileFieldsA(platform::ToAnsi(pattern), &data_, fields)
                  : platform::INVALID_HANDLE_VALUE) {}

FindHandle::~FindHandle() {
    if (valid()) {
        platform::FindClose(handle_);
    }
}

std::string FindHandle::rawName() const {
    return std::string(data_.cFileName, ::strnlen(data_.cFileName, platform::MAX_PATH));
}

bool FindHandle::dotEntry() const {
    const std::string name = rawName();
    return name == "." || name == "..";
}

bool FindHandle::Next() {
    return platform::FindNextFileA(handle_, &data_) != platform::FALSE;
}

void ForEachEntry(const std::string& pattern, platform::DWORD fields,
                  const std::function<void(const FoundEntry&)>& accept) {
    FindHandle find(pattern, fields);
    if (!find.valid()) {
        return;
    }
    do {
        if (find.dotEntry()) {
            continue;
        }
        const auto& record = find.record();
        accept(
            FoundEntry{platform::FromAnsi(find.rawName()), record.dwFileAttributes,
                       (static_cast<uint64_t>(record.nFileSizeHigh) << 32) | record.nFileSizeLow});
    } while (find.Next());
}

bool IsFolder(platform::DWORD attributes) {
    return (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ScanFolder(const std::string& folder, const std::string& pattern, platform::DWORD fields,
                StrArray& subfolders, const std::function<void(const FoundEntry&)>& onFile) {
    subfolders = StrArray::Empty();
    const std::string prefix = folder + platform::kPathSeparator;
    const bool onePass = platform::HasWildcards(pattern) &&
                         pattern.find(platform::kPathSeparator) == std::string::npos &&
                         platform::FitsCodePage(pattern);
    ForEachEntry(prefix + "*", onePass ? fields : platform::FIND_FIELD_FOLDER_BIT,
                 [&](const FoundEntry& entry) {
                     if (IsFolder(entry.attributes)) {
                         subfolders.Append(entry.name);
                     } else if (onePass && platform::MatchesWildcard(entry.name, pattern)) {
                         onFile(entry);
                     }
                 });
    if (!onePass) {
        ForEachEntry(prefix + pattern, fields, [&](const FoundEntry& entry) {
            if (!IsFolder(entry.attributes)) {
                onFile(entry);
            }
        });
    }
}

AncestorScope::AncestorScope(std::vector<platform::FileIdentity>& ancestors,
                             const std::string& folder)
    : ancestors_(ancestors) {
    platform::FileIdentity identity;
    if (!platform::GetFileIdentity(
            platform::ToAnsi(folder.empty() ? platform::kPathSeparatorText : folder), identity)) {
        return;
    }
    repeat_ = std::find(ancestors_.begin(), ancestors_.end(), identity) != ancestors_.end();
    if (!repeat_) {
        ancestors_.push_back(identity);
        pushed_ = true;
    }
}

AncestorScope::~AncestorScope() {
    if (pushed_) {
        ancestors_.pop_back();
    }
}

}  // namespace filecontrol
