// Folder listings and sizes: one-level listings into one-based arrays, the
// file test, and the size sums of a pattern and of a whole tree.
#include <string>
#include <vector>

#include "filecontrol/FindEntries.h"
#include "filecontrol/clsFileControl.h"

namespace filecontrol {

namespace {

constexpr char kSeparator = platform::kPathSeparator;

// Lists into `array` the names that `pattern` yields and `wanted` accepts, in
// the service's order, as the elements 1 to n; answers n. With no name the
// array stays as it was. The names are collected first, so an error on the
// way leaves the caller's array untouched too.
template <typename Wanted>
int32_t ListOneBased(const std::string& pattern, StrArray& array, Wanted wanted) {
    std::vector<std::string> names;
    ForEachEntry(pattern, platform::FIND_FIELD_FOLDER_BIT, [&](const FoundEntry& entry) {
        if (wanted(entry.attributes)) {
            names.push_back(entry.name);
        }
    });
    if (names.empty()) {
        return 0;
    }
    const auto count = static_cast<int32_t>(names.size());
    array.ReDim(1, count);
    for (int32_t i = 1; i <= count; ++i) {
        array[i] = std::move(names[static_cast<size_t>(i - 1)]);
    }
    return count;
}

}  // namespace

int32_t clsFileControl::FoldersInFolder(const std::string& strFolder, StrArray& strFolders) {
    std::string pattern = strFolder;
    if (pattern.empty() || pattern.back() != kSeparator) {
        pattern += kSeparator;
    }
    return ListOneBased(pattern + "*.*", strFolders,
                        [](platform::DWORD attributes) { return IsFolder(attributes); });
}

int32_t clsFileControl::FilesInFolder(const std::string& strFolder, StrArray& strFiles) {
    return ListOneBased(strFolder, strFiles,
                        [](platform::DWORD attributes) { return !IsFolder(attributes); });
}

bool clsFileControl::SeekFile(const std::string& strFileName) {
    bool found = false;
    RunTrapped([&] {
        FindHandle find(strFileName, platform::FIND_FIELD_FOLDER_BIT);
        if (!find.valid()) {
            return;
        }
        do {
            found = !find.dotEntry() && !IsFolder(find.record().dwFileAttributes);
        } while (!found && find.Next());
    });
    return found;
}

std::string clsFileControl::AddSearchFileSize(const std::string& strFullPath, double& DFileLen) {
    // Each size is added whole, 64 bits of it; an error ends the sum there,
    // with what was added so far kept.
    RunTrapped([&] {
        ForEachEntry(strFullPath, platform::FIND_FIELD_SIZE_AND_TIMES,
                     [&](const FoundEntry& entry) {
                         if (!IsFolder(entry.attributes)) {
                             DFileLen += static_cast<double>(entry.size);
                         }
                     });
    });
    return std::string();
}

double clsFileControl::GetFolderSize(const std::string& strPath, const std::string& strFileFormat) {
    double total = 0.0;
    AddFolderSize(strPath, strFileFormat, total);
    return total;
}

void clsFileControl::AddFolderSize(const std::string& folder, const std::string& strFileFormat,
                                   double& total) {
    // Each size is added whole, 64 bits of it.
    std::vector<platform::FileIdentity> ancestors;
    WalkDepthFirst(folder, strFileFormat, platform::FIND_FIELD_SIZE_AND_TIMES, ancestors,
                   [&](const std::string&, const FoundEntry& entry) {
                       total += static_cast<double>(entry.size);
                   });
}

}  // namespace filecontrol
