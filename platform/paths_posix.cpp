#include "platform/paths.h"

#include <climits>

namespace platform {

DWORD CheckPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return ERROR_INVALID_NAME;
    }
    if (path.size() >= PATH_MAX) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(kPathSeparator, start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end - start > NAME_MAX) {
            return ERROR_FILENAME_EXCED_RANGE;
        }
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

std::string ParentFolder(const std::string& path) {
    const size_t pos = path.rfind(kPathSeparator);
    if (pos == std::string::npos) {
        return ".";
    }
    if (pos == 0) {
        return kPathSeparatorText;
    }
    return path.substr(0, pos);
}

std::string LastComponent(const std::string& path) {
    const size_t pos = path.rfind(kPathSeparator);
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace platform
