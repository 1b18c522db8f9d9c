// One-level searches, the file search core, the depth search and the two sorts.
#include <string>

#include "filecontrol/clsFileControl.h"

namespace filecontrol {

int32_t clsFileControl::FileCount(const std::string&) {
    NotBuiltYet("FileCount");
}

int32_t clsFileControl::FolderCount(const std::string&) {
    NotBuiltYet("FolderCount");
}

std::string clsFileControl::FileFound(const std::string&, int32_t) {
    NotBuiltYet("FileFound");
}

bool clsFileControl::SearchFolder(const std::string&, StrArray&) {
    NotBuiltYet("SearchFolder");
}

bool clsFileControl::DepthSearch(const std::string&, const std::string&, StrArray&) {
    NotBuiltYet("DepthSearch");
}

void clsFileControl::QuickSort(StrArray&, int32_t, int32_t) {
    NotBuiltYet("QuickSort");
}

std::string clsFileControl::SearchDir(const std::string&) {
    NotBuiltYet("SearchDir");
}

std::string clsFileControl::SortFile(const std::string&) {
    NotBuiltYet("SortFile");
}

bool clsFileControl::SearchFile(const std::string&, StrArray&) {
    NotBuiltYet("SearchFile");
}

int32_t clsFileControl::FolderINFilesCount(const std::string&, StrArray&) {
    NotBuiltYet("FolderINFilesCount");
}

}  // namespace filecontrol
