// One-level searches, the file search core, the depth search and the two sorts.
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "filecontrol/FindEntries.h"
#include "filecontrol/VbString.h"
#include "filecontrol/clsFileControl.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/find.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace filecontrol {

namespace {

constexpr char kSeparator = platform::kPathSeparator;

// Ordinal comparison of the upper-cased `text` with the key `upperKey`.
int CompareUpper(const std::string& text, const std::string& upperKey) {
    const size_t n = std::min(text.size(), upperKey.size());
    for (size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(platform::AsciiUpper(text[i]));
        const auto b = static_cast<unsigned char>(upperKey[i]);
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return text.size() < upperKey.size() ? -1 : text.size() > upperKey.size() ? 1 : 0;
}

// The generator of the pivots; never seeded, one per thread.
std::mt19937& Generator() {
    thread_local std::mt19937 generator;
    return generator;
}

// Fills `array` (replaced by an empty one first) with the names that
// `pattern` yields and `wanted` accepts, sorted; false when there are none.
template <typename Sorter>
bool ListInto(const std::string& pattern, StrArray& array,
              const std::function<bool(platform::DWORD)>& wanted, Sorter sort) {
    array = StrArray::Empty();
    const bool listed = RunTrapped([&] {
        ForEachEntry(pattern, platform::FIND_FIELD_FOLDER_BIT, [&](const FoundEntry& entry) {
            if (wanted(entry.attributes)) {
                array.Append(entry.name);
            }
        });
        sort(array);
    });
    if (!listed) {
        array = StrArray::Empty();
    }
    return array.UBound() >= 0;
}

}  // namespace

void clsFileControl::SwapString(std::string& first, std::string& second) {
    first.swap(second);
}

bool clsFileControl::IsArrayDimensioned(StrArray& array) {
    return array.IsDimensioned();
}

void clsFileControl::QuickSort(StrArray& SortArray, int32_t Low, int32_t High) {
    if (Low >= High) {
        return;
    }
    if (!SortArray.IsDimensioned() || Low < SortArray.LBound() || High > SortArray.UBound()) {
        throw VbError(vberr::kSubscriptOutOfRange);
    }
    // Three-way partitions: keys equal to the pivot's are settled in one pass,
    // and only the smaller side is sorted by recursion, so the depth stays
    // logarithmic whatever the input.
    int64_t low = Low;
    int64_t high = High;
    while (low < high) {
        if (high - low == 1) {
            if (CompareUpper(SortArray[low], vb::UCase(SortArray[high])) > 0) {
                SwapString(SortArray[low], SortArray[high]);
            }
            return;
        }
        const double r = std::generate_canonical<double, 53>(Generator());
        const auto pivot = static_cast<int64_t>(
            std::nearbyint(r * static_cast<double>(high - low) + static_cast<double>(low)));
        SwapString(SortArray[high], SortArray[pivot]);
        const std::string key = vb::UCase(SortArray[high]);

        int64_t lt = low;
        int64_t i = low;
        int64_t gt = high;
        while (i <= gt) {
            const int c = CompareUpper(SortArray[i], key);
            if (c < 0) {
                if (lt != i) {
                    SwapString(SortArray[lt], SortArray[i]);
                }
                ++lt;
                ++i;
            } else if (c > 0) {
                SwapString(SortArray[i], SortArray[gt]);
                --gt;
            } else {
                ++i;
            }
        }
        platform::DoEvents();
        // [low, lt) below the pivot's key, [lt, gt] equal to it, (gt, high] above.
        if (lt - low < high - gt) {
            QuickSort(SortArray, static_cast<int32_t>(low), static_cast<int32_t>(lt - 1));
            low = gt + 1;
        } else {
            QuickSort(SortArray, static_cast<int32_t>(gt + 1), static_cast<int32_t>(high));
            high = lt - 1;
        }
    }
}

std::string clsFileControl::SortFile(const std::string& str) {
    if (str.empty()) {
        return std::string();
    }
    const std::string rest = vb::Left(str, vb::Len(str) - 1);
    if (rest.empty()) {
        return std::string();  // a lone separator holds no names
    }
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        const size_t bar = rest.find('|', start);
        names.push_back(
            rest.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) {
        joined += name;
        joined += '|';
    }
    joined.pop_back();
    return joined;
}

std::string clsFileControl::FileFound(const std::string& FullPath, int32_t Search_Option) {
    // A failure on the way answers the list as it stood, unsorted.
    std::string working;
    std::string sorted;
    const bool listed = RunTrapped([&] {
        if (Search_Option == 0 || Search_Option == 1) {
            ForEachEntry(FullPath, platform::FIND_FIELD_ATTRIBUTES, [&](const FoundEntry& entry) {
                const platform::DWORD word = entry.attributes;
                const bool accepted = Search_Option == 1 ? word == 32 : word == 16 || word == 48;
                if (accepted) {
                    working += entry.name;
                    working += '|';
                }
            });
        }
        sorted = working.empty() ? std::string() : SortFile(working);
    });
    return listed ? sorted : working;
}

bool clsFileControl::SearchFolder(const std::string& strDirPath, StrArray& ArrResult) {
    const std::string pattern =
        strDirPath + (!strDirPath.empty() && strDirPath.back() == kSeparator ? "*" : "/*");
    return ListInto(
        pattern, ArrResult, [](platform::DWORD a) { return IsFolder(a); },
        [this](StrArray& a) { QuickSort(a, 0, a.UBound()); });
}

bool clsFileControl::SearchFile(const std::string& strFileName, StrArray& ArrResult) {
    return ListInto(
        strFileName, ArrResult, [](platform::DWORD a) { return !IsFolder(a); },
        [this](StrArray& a) { QuickSort(a, 0, a.UBound()); });
}

int32_t clsFileControl::FolderINFilesCount(const std::string& strFileName, StrArray& ArrResult) {
    return SearchFile(strFileName, ArrResult) ? ArrResult.UBound() + 1 : 0;
}

int32_t clsFileControl::FileCount(const std::string& FullPath) {
    StrArray names;
    SearchFile(FullPath, names);
    return names.UBound() + 1;
}

int32_t clsFileControl::FolderCount(const std::string& FullPath) {
    StrArray names;
    SearchFolder(FullPath, names);
    return names.UBound() + 1;
}

std::string clsFileControl::SearchDir(const std::string& FullPath) {
    // A failure on the way answers the list as it stood, unsorted.
    std::string working;
    std::string sorted;
    const bool listed = RunTrapped([&] {
        ForEachEntry(FullPath, platform::FIND_FIELD_ATTRIBUTES, [&](const FoundEntry& entry) {
            const platform::DWORD word = entry.attributes;
            if (word == 16 || word == 17 || word == 48 || word == 49) {
                working += entry.name;
                working += '|';
            }
        });
        sorted = SortFile(working);
    });
    return listed ? sorted : working;
}

bool clsFileControl::DepthSearch(const std::string& strFilePath, const std::string& strFileFormat,
                                 StrArray& ArrFileName) {
    if (!IsArrayDimensioned(ArrFileName)) {
        ArrFileName = StrArray::Empty();
    }
    std::vector<platform::FileIdentity> ancestors;
    WalkDepthFirst(strFilePath, strFileFormat, platform::FIND_FIELD_FOLDER_BIT, ancestors,
                   [&](const std::string& folder, const FoundEntry& entry) {
                       ArrFileName.Append(folder + kSeparator + entry.name);
                   });
    return ArrFileName.UBound() >= 0;
}

void clsFileControl::WalkDepthFirst(const std::string& folder, const std::string& strFileFormat,
                                    uint32_t fields, std::vector<platform::FileIdentity>& ancestors,
                                    const FileVisitor& onFile) {
    std::string path = folder;
    if (!path.empty() && path.back() == kSeparator) {
        path.pop_back();
    }
    const AncestorScope scope(ancestors, path);
    if (scope.repeat()) {
        return;  // a link back to a folder above: its content is being walked already
    }
    // One listing gives the subfolders and the matching files; the files wait
    // until the subfolders are done.
    StrArray subfolders;
    std::vector<FoundEntry> files;
    RunTrapped([&] {
        ScanFolder(path, strFileFormat, fields, subfolders,
                   [&](const FoundEntry& entry) { files.push_back(entry); });
    });
    QuickSort(subfolders, 0, subfolders.UBound());
    for (int32_t i = 0; i <= subfolders.UBound(); ++i) {
        WalkDepthFirst(path + kSeparator + subfolders[i], strFileFormat, fields, ancestors, onFile);
    }
    for (const FoundEntry& file : files) {
        onFile(path, file);
    }
}

}  // namespace filecontrol
