// clsFileControl: the file and folder utility object. Its 53 public
// operations are declared in their fixed interface order.
//
// Passing: text taken by value is `const std::string&` (the caller's string is
// never changed); a by-reference parameter that an operation may write is a
// non-const reference; one that it only reads is a const reference, which, as
// in the original calling convention, also accepts a temporary. Optional
// parameters are default arguments.
//
// Errors: operations that trap report failure through their result; those
// that pass errors on throw filecontrol::VbError with the runtime error number.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "filecontrol/StrArray.h"
#include "filecontrol/VbError.h"

namespace platform {
struct FileIdentity;
}  // namespace platform

namespace filecontrol {

struct FoundEntry;

class clsFileControl {
  public:
    // Event handler: the name of the entry just deleted or copied, and a
    // cancel flag that starts False; setting it asks the operation to stop.
    using FileEvent = std::function<void(const std::string& strFileName, bool& F_Cancel)>;

    // Events, in their order of declaration. Unset means no handler.
    FileEvent FileDelete;
    FileEvent FileCopy;

    int32_t MakeDir(int32_t handle, const std::string& lpCreateFolderName);
    int32_t SHCreateDir(const std::string& lpCreateFolderName, int32_t lpHwnd);
    int32_t FileCount(const std::string& FullPath);
    int32_t FolderCount(const std::string& FullPath);
    int32_t FileExecute(int32_t OwnerhWnd, const std::string& lpFile, std::string& lpDirectory,
                        const std::string& lpOperation = std::string(),
                        const std::string& lpParameters = std::string());
    std::string FileFound(const std::string& FullPath, int32_t Search_Option);
    std::string StripNull(const std::string& strData);
    std::string StripPath(const std::string& strFullPathFileName);
    int32_t GetFileLen(const std::string& strFileName);
    std::string ValidateDir(const std::string& tmpPath);
    void FileReName(const std::string& JobDir, const std::string& srcFileName,
                    const std::string& dstFileName);
    std::string ReadFile(const std::string& strFileName, const int32_t& F_ReadOption = 0);
    bool WriteFile(const std::string& strFileName, const std::string& strWriteString,
                   const int32_t& F_WriteOption = 0);
    bool AppendFile(const std::string& strFileName, const std::string& strAppendString);
    int32_t GetFileAttr(const std::string& strFileName);
    bool SetFileAttr(const std::string& strFileName, int32_t LFileAttr);
    std::string GetCreateTime(const std::string& strFileName);
    bool DelFile(const std::string& strFileName);
    bool Copy_File(const std::string& strSrcFileName, const std::string& strDstFileName,
                   bool F_OverWrite = true);
    bool CopyFolder(const std::string& strSrcDirName, const std::string& strDstDirName,
                    bool F_OverWrite = true);
    bool SeekFile(const std::string& strFileName);
    bool SearchFolder(const std::string& strDirPath, StrArray& ArrResult);
    bool DepthSearch(const std::string& strFilePath, const std::string& strFileFormat,
                     StrArray& ArrFileName);
    bool RemoveFolder(const std::string& strRemovePath);
    void QuickSort(StrArray& SortArray, int32_t Low, int32_t High);
    void GetDiskSpace(const std::string& strDrive, double& LTotalBytes, double& LFreeBytes);
    std::string AddSearchFileSize(const std::string& strFullPath, double& DFileLen);
    double GetFolderSize(const std::string& strPath, const std::string& strFileFormat);
    bool CheckFolder(const std::string& strPath, const std::string& strFolderName);
    std::string SearchDir(const std::string& FullPath);
    std::string SortFile(const std::string& str);
    bool CreateFolder(const std::string& strFolderName);
    std::string FileReadcol(const std::string& Filename, int32_t F_Mode);
    int16_t ParseString(const std::string& StrIn, StrArray& StrOut,
                        const std::optional<std::string>& Delimiter = std::nullopt);
    void FileWrite(const std::string& Filename, const std::string& FileString);
    std::string FileLoad(const std::string& Filename);
    bool SaveToFile(const std::string& strFile, StrArray& strLines);
    bool WriteLogToFile(const std::string& strFile, const std::string& strMsg);
    int16_t LoadFromFile(const std::string& strFile, StrArray& strLines);
    std::string IniRead(const std::string& SectionName, const std::string& KeyName,
                        const std::string& IniFileName);
    int32_t IniWrite(const std::string& SectionName, const std::string& KeyName,
                     const std::string& WriteData, const std::string& IniFileName);
    bool IsFileExists(const std::string& strFile);
    bool IsFolderExists(const std::string& strFile);
    int32_t FoldersInFolder(const std::string& strFolder, StrArray& strFolders);
    int32_t FilesInFolder(const std::string& strFolder, StrArray& strFiles);
    int32_t SHCopyFile(const int32_t& hWnd, const std::string& FileSource,
                       const std::string& FileDestination);
    int32_t SHMoveFile(const int32_t& hWnd, const std::string& FileSource,
                       const std::string& FileDestination);
    int32_t SHDeleteFile(const int32_t& hWnd, const std::string& FileSource);
    int32_t SHRenameFile(const int32_t& hWnd, const std::string& FileSource,
                         const std::string& FileDestination);
    std::string ExtractFileName(const std::string& strFull, const bool& bBase = false);
    bool SearchFile(const std::string& strFileName, StrArray& ArrResult);
    int32_t FolderINFilesCount(const std::string& strFileName, StrArray& ArrResult);
    bool CopyOperation(const int32_t& hWnd, const std::string& srcFileName,
                       const std::string& DstPath);

  private:
    static void SwapString(std::string& first, std::string& second);
    static bool IsArrayDimensioned(StrArray& array);
    // Walks the tree below `folder` depth first, as DepthSearch and
    // GetFolderSize do: the subfolders in upper-cased name order first, then
    // the folder's own entries other than folders that match
    // `strFileFormat`, each handed to `onFile` with its folder's path.
    // `ancestors` holds the folders on the way down, so that a link leading
    // back up is not followed again. A folder that cannot be listed gives
    // nothing; what `onFile` raises reaches the caller.
    using FileVisitor = std::function<void(const std::string& folder, const FoundEntry& entry)>;
    void WalkDepthFirst(const std::string& folder, const std::string& strFileFormat,
                        uint32_t fields, std::vector<platform::FileIdentity>& ancestors,
                        const FileVisitor& onFile);
    // Adds to `total` the sizes of the files that match `strFileFormat` in
    // `folder` and below, subfolders first.
    void AddFolderSize(const std::string& folder, const std::string& strFileFormat, double& total);
    // CopyFolder below the check that the destination is not inside the
    // source, which holds for every level once it holds for the top.
    bool CopyFolderInto(const std::string& strSrcDirName, const std::string& strDstDirName,
                        bool F_OverWrite);
    // RemoveFolder's work on a folder known to exist (hidden ones too), with
    // its own error box.
    bool RemoveFolderTree(const std::string& path);
    // Adds to `total` the sizes of the files that match `strFileFormat` in
    // `folder` and below, subfolders first; `ancestors` as in DepthSearch.
    void AddFolderSize(const std::string& folder, const std::string& strFileFormat, double& total,
                       std::vector<platform::FileIdentity>& ancestors);
};

}  // namespace filecontrol
