// A fresh folder per test, removed with everything in it afterwards, and small
// helpers to make and read files byte for byte.
#pragma once

#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const;

  private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// The number of entries in a folder.
int EntriesIn(const std::string& folder);
void MakeFolder(const std::string& path);

// True when the tests run with root's power to ignore permissions.
bool RunningAsRoot();

}  // namespace testsupport
