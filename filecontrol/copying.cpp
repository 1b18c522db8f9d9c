// Copying: one file or the files that match a pattern, and a whole folder
// tree into another folder, with the FileCopy event as they go.
#include <string>

#include "filecontrol/FindEntries.h"
#include "filecontrol/clsFileControl.h"
#include "platform/codepage.h"
#include "platform/entries.h"
#include "platform/paths.h"
#include "platform/ui.h"

namespace filecontrol {

namespace {

constexpr char kSeparator = platform::kPathSeparator;

bool CopyOne(const std::string& source, const std::string& destination, bool failIfExists) {
    return platform::FitsCodePage(source) && platform::FitsCodePage(destination) &&
           platform::CopyFileA(platform::ToAnsi(source), platform::ToAnsi(destination),
                               failIfExists ? 1 : 0) == 1;
}

}  // namespace

bool clsFileControl::Copy_File(const std::string& strSrcFileName, const std::string& strDstFileName,
                               bool F_OverWrite) {
    const bool failIfExists = !F_OverWrite;
    const size_t last = strSrcFileName.rfind(kSeparator);
    if (last == std::string::npos) {
        throw VbError(vberr::kInvalidCall);
    }
    const std::string sourceFolder = strSrcFileName.substr(0, last);
    bool cancel = false;
    if (strDstFileName.empty() || strDstFileName.back() != kSeparator) {
        if (!CopyOne(strSrcFileName, strDstFileName, failIfExists)) {
            return false;
        }
        if (FileCopy) {
            FileCopy(strSrcFileName, cancel);
        }
        return true;
    }
    const std::string destinationFolder = strDstFileName.substr(0, strDstFileName.size() - 1);
    StrArray names;
    if (!SearchFile(strSrcFileName, names)) {
        return false;
    }
    for (int32_t i = 0; i <= names.UBound(); ++i) {
        if (!CopyOne(sourceFolder + kSeparator + names[i],
                     destinationFolder + kSeparator + names[i], failIfExists)) {
            return false;
        }
        if (FileCopy) {
            FileCopy(names[i], cancel);  // the answer is not read: the copy goes on
        }
    }
    return true;
}

bool clsFileControl::CopyFolder(const std::string& strSrcDirName, const std::string& strDstDirName,
                                bool F_OverWrite) {
    if (!platform::FitsCodePage(strSrcDirName) || !platform::FitsCodePage(strDstDirName) ||
        platform::IsSameOrBelow(platform::ToAnsi(strDstDirName), platform::ToAnsi(strSrcDirName))) {
        return false;
    }
    return CopyFolderInto(strSrcDirName, strDstDirName, F_OverWrite);
}

bool clsFileControl::CopyFolderInto(const std::string& strSrcDirName,
                                    const std::string& strDstDirName, bool F_OverWrite) {
    const bool failIfExists = !F_OverWrite;
    const size_t last = strSrcDirName.rfind(kSeparator);
    const std::string target =
        strDstDirName + kSeparator +
        (last == std::string::npos ? strSrcDirName : strSrcDirName.substr(last + 1));
    CreateFolder(target);
    FindHandle find(strSrcDirName + kSeparator + "*.*",
                    platform::FIND_FIELD_FOLDER_BIT | platform::FIND_FIELD_LINK_BIT);
    if (!find.valid()) {
        return true;
    }
    do {
        if (find.dotEntry()) {
            continue;
        }
        const std::string name = platform::FromAnsi(find.rawName());
        const platform::DWORD word = find.record().dwFileAttributes;
        const std::string source = strSrcDirName + kSeparator + name;
        bool cancel = false;
        if (!IsFolder(word) || (word & platform::FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            // A file, or a link to a folder, which is copied as a link: its
            // target may be anywhere, this tree included.
            const platform::DWORD flags = (failIfExists ? platform::COPY_FILE_FAIL_IF_EXISTS : 0) |
                                          (IsFolder(word) ? platform::COPY_FILE_COPY_SYMLINK : 0);
            if (platform::CopyFileExA(platform::ToAnsi(source),
                                      platform::ToAnsi(target + kSeparator + name), nullptr,
                                      nullptr, nullptr, flags) == 0) {
                return false;
            }
            if (FileCopy) {
                FileCopy(name, cancel);
            }
            if (cancel) {
                return false;
            }
            platform::DoEvents();
        } else {
            if (!CopyFolderInto(source, target, F_OverWrite)) {
                return false;
            }
            if (FileCopy) {
                FileCopy(name, cancel);
            }
            if (cancel) {
                return false;
            }
        }
    } while (find.Next());
    return true;
}

}  // namespace filecontrol
