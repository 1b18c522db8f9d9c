// Deletion: the files that match a pattern, and a whole folder tree, with the
// FileDelete event after every file.
//
// Nothing outside the named tree is touched: a symbolic link met on the way
// is deleted as a link, never entered and never cleared (clearing would change
// its target's attributes), and a path that is the root folder under any
// spelling is refused.
#include <string>

#include "filecontrol/FindEntries.h"
#include "filecontrol/VbString.h"
#include "filecontrol/clsFileControl.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/entries.h"
#include "platform/ui.h"

namespace filecontrol {

namespace {

constexpr char kSeparator = platform::kPathSeparator;

// The refusals both deletions make first, on the trimmed argument: nothing,
// or at most three characters (a lone separator or two, "*.*").
bool RefusedOutright(const std::string& trimmed) {
    return trimmed.empty() || vb::Len(trimmed) <= 3;
}

// Whether `path` (UTF-8) names the root folder, however it is spelled
// ("//", "/./", "/tmp/..").
bool IsRootFolder(const std::string& path) {
    platform::FileIdentity root;
    platform::FileIdentity identity;
    return platform::GetFileIdentity(platform::kPathSeparatorText, root) &&
           platform::GetFileIdentity(platform::ToAnsi(path.empty() ? "/" : path), identity) &&
           identity == root;
}

bool IsLink(platform::DWORD attributes) {
    return attributes != platform::INVALID_FILE_ATTRIBUTES &&
           (attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Deletes the file or link `ansiPath` as both deletions do: its attributes
// cleared first so that read-only, hidden and system files go too, and a
// link's left alone, since clearing them would change its target. The
// clearing is done only where the deletion needs it or fails: a file that
// goes at once ends as it would after the clearing, gone, and one that
// cannot go ends cleared either way, while the common case costs no write.
bool DeleteCleared(const std::string& ansiPath) {
    if (platform::DeleteFileA(ansiPath) == 1) {
        return true;
    }
    const platform::DWORD attributes = platform::GetFileAttributesA(ansiPath);
    if (attributes == 0 || IsLink(attributes)) {
        return false;
    }
    platform::SetFileAttributesA(ansiPath, 0);
    return platform::DeleteFileA(ansiPath) == 1;
}

// Clears the attribute word `attributes` of the folder `ansiPath` before it
// is removed; a link keeps its target's.
void ClearFolder(const std::string& ansiPath, platform::DWORD attributes) {
    if (attributes != 0 && !IsLink(attributes)) {
        platform::SetFileAttributesA(ansiPath, 0);
    }
}

void ShowError(const char* text) {
    platform::MsgBox(text, platform::vbCritical, std::string("확인"));
}

}  // namespace

bool clsFileControl::DelFile(const std::string& strFileName) {
    bool result = false;
    const bool ran = RunTrapped([&] {
        const std::string trimmed = vb::Trim(strFileName);
        if (RefusedOutright(trimmed)) {
            return;
        }
        StrArray listed;
        SearchFile(strFileName, listed);
        if (listed.UBound() < 0) {
            return;
        }
        const size_t last = strFileName.rfind(kSeparator);
        if (last == std::string::npos) {
            throw VbError(vberr::kInvalidCall);
        }
        const std::string folder = strFileName.substr(0, last);
        const std::string pattern = trimmed.substr(trimmed.rfind(kSeparator) + 1);
        // Every file of the root folder, under any spelling of the root.
        if (trimmed == "/*.*" || ((pattern == "*.*" || pattern == "*") && IsRootFolder(folder))) {
            return;
        }
        StrArray names;
        if (!SearchFile(trimmed, names)) {
            return;
        }
        result = true;
        for (int32_t i = 0; i <= names.UBound(); ++i) {
            if (!DeleteCleared(platform::ToAnsi(folder + kSeparator + names[i]))) {
                result = false;
                break;
            }
            bool cancel = false;
            if (FileDelete) {
                FileDelete(names[i], cancel);
            }
            if (cancel) {
                result = false;
                break;
            }
        }
    });
    if (!ran) {
        ShowError("File class DelFile error!!");
    }
    return result;
}

bool clsFileControl::RemoveFolder(const std::string& strRemovePath) {
    bool result = false;
    const bool ran = RunTrapped([&] {
        if (RefusedOutright(vb::Trim(strRemovePath))) {
            return;
        }
        std::string path = strRemovePath;
        while (!path.empty() && path.back() == kSeparator) {
            path.pop_back();
        }
        if (path.empty() || !platform::FitsCodePage(path) || !IsFolderExists(path) ||
            IsRootFolder(path)) {
            return;
        }
        result = RemoveFolderTree(path);
    });
    if (!ran) {
        ShowError("File class RemoveFolder error!!");
    }
    return result;
}

bool clsFileControl::RemoveFolderTree(const std::string& path) {
    bool result = false;
    const bool ran = RunTrapped([&] {
        const std::string ansiPath = platform::ToAnsi(path);
        const platform::DWORD own = platform::GetFileAttributesA(ansiPath);
        // A link named as the tree is removed as a link and its target stays:
        // its listing is not even started (an empty pattern matches nothing).
        FindHandle find(IsLink(own) ? std::string() : path + kSeparator + "*.*",
                        platform::FIND_FIELD_FOLDER_BIT | platform::FIND_FIELD_LINK_BIT);
        if (find.valid()) {
            do {
                const std::string raw = find.rawName();
                const platform::DWORD word = find.record().dwFileAttributes;
                if (!find.dotEntry()) {
                    const std::string name = platform::FromAnsi(raw);
                    const std::string entry = ansiPath + kSeparator + raw;
                    if (IsFolder(word) && !IsLink(word)) {
                        // Hidden and system subfolders go too: the enumeration
                        // already says what they are.
                        if (!RemoveFolderTree(path + kSeparator + name)) {
                            break;
                        }
                        result = true;
                    } else if (IsFolder(word)) {
                        // A link to a folder: the link goes, nothing it leads to.
                        if (platform::RemoveDirectoryA(entry) != 1) {
                            break;
                        }
                        result = true;
                    } else {
                        if (!DeleteCleared(entry)) {
                            break;
                        }
                        bool cancel = false;
                        if (FileDelete) {
                            FileDelete(name, cancel);
                        }
                        if (cancel) {
                            break;
                        }
                        result = true;
                    }
                }
                platform::DoEvents();
            } while (find.Next());
        }
        ClearFolder(ansiPath, own);
        if (platform::RemoveDirectoryA(ansiPath) == 1) {
            result = true;
        }
    });
    if (!ran) {
        ShowError("File class RemoveFolder error!!");
    }
    return result;
}

}  // namespace filecontrol
