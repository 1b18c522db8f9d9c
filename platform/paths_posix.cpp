#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include "platform/codepage.h"
#include "platform/text.h"

namespace platform {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` but for the case of letters,
// or "" when there is none.
std::string NameInAnyCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return std::string();
    }
    const std::string wanted = AsciiUpper(FromAnsi(name));
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (AsciiUpper(FromAnsi(entry->d_name)) == wanted) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

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

std::string ResolvePath(const std::string& path) {
    if (path.empty() || Exists(path)) {
        return path;
    }
    const size_t slash = path.rfind(kPathSeparator);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // The folder is resolved first (most often it exists as given), then the
    // last name is looked for in it.
    const std::string folder = slash == std::string::npos ? std::string()
                               : slash == 0               ? std::string()
                                                          : ResolvePath(path.substr(0, slash));
    const std::string prefix =
        slash == std::string::npos ? std::string() : folder + kPathSeparatorText;
    if (name.empty() || name == "." || name == ".." || Exists(prefix + name)) {
        return prefix + name;
    }
    const std::string other = NameInAnyCase(slash == std::string::npos ? "."
                                            : slash == 0               ? kPathSeparatorText
                                                                       : folder,
                                            name);
    return prefix + (other.empty() ? name : other);
}

bool IsSameOrBelow(const std::string& inner, const std::string& outer) {
    std::error_code error;
    const auto below = std::filesystem::weakly_canonical(inner, error);
    if (error) {
        return false;
    }
    const auto above = std::filesystem::weakly_canonical(outer, error);
    if (error) {
        return false;
    }
    auto i = below.begin();
    for (auto o = above.begin(); o != above.end(); ++o, ++i) {
        if (o->empty()) {
            continue;  // the empty last element of a path that ends in a separator
        }
        if (i == below.end() || *i != *o) {
            return false;
        }
    }
    return true;
}

std::string ResolveFolderOf(const std::string& path) {
    const size_t slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos || slash == 0) {
        return path;
    }
    return ResolvePath(path.substr(0, slash)) + path.substr(slash);
}

}  // namespace platform
