// Times the library's folder walks over one generated tree of 100,000 files
// in 1,000 folders against the GNU tools on the same tree, in the same run
// (best of several runs, warm cache), and prints a table of ratios.
// Usage: walk_bench [folder-for-the-trees (/dev/shm)] [files (100000)] [runs (3)]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "filecontrol/clsFileControl.h"

namespace {

int Run(const std::string& command) {
    return std::system(command.c_str());
}

double Seconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Times {
    double library = 1e9;
    double peer = 1e9;
};

// The best of `runs` runs of the library's `action` and of the peer's, taken
// in turns, each after an untimed `prepare`: both meet the file system in
// the same states (an allocator that has just freed 100,000 inodes is slower
// than a fresh one), so neither gains from going first.
Times Compare(
    int runs, const std::function<void()>& library, const std::function<void()>& peer,
    const std::function<void()>& prepare = [] {}) {
    Times best;
    for (int i = 0; i < runs; ++i) {
        prepare();
        best.library = std::min(best.library, Seconds(library));
        prepare();
        best.peer = std::min(best.peer, Seconds(peer));
    }
    return best;
}

// 100 folders of 10 subfolders with files/1000 files each, half of them .txt,
// of 0 to 600 bytes.
void MakeTree(const std::string& root, int files) {
    const int perFolder = files / 1000;
    for (int a = 0; a < 100; ++a) {
        for (int b = 0; b < 10; ++b) {
            const std::string folder = root + "/d" + std::to_string(a) + "/s" + std::to_string(b);
            std::filesystem::create_directories(folder);
            for (int f = 0; f < perFolder; ++f) {
                std::ofstream(folder + "/f" + std::to_string(f) + (f % 2 ? ".txt" : ".dat"))
                    << std::string(static_cast<size_t>(f % 7) * 100, 'x');
            }
        }
    }
}

void Row(const char* operation, const char* peer, Times times) {
    std::printf("| %s | %.3f s | %.3f s (%s) | %.2f |\n", operation, times.library, times.peer,
                peer, times.library / times.peer);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A memory file system by default: on a disk, the allocator's state after
    // 100,000 deletions decides the copy times more than either program does.
    const std::string base = argc > 1 ? argv[1]
                             : std::filesystem::is_directory("/dev/shm")
                                 ? "/dev/shm"
                                 : std::filesystem::temp_directory_path().string();
    const int files = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::string work = base + "/ftr-walk-bench";
    const std::string root = work + "/tree";
    const std::string scratch = work + "/scratch";
    const std::string flat = work + "/flat";
    std::filesystem::remove_all(work);
    MakeTree(root, files);
    std::filesystem::create_directories(flat);
    for (int f = 0; f < files / 10; ++f) {
        std::ofstream(flat + "/f" + std::to_string(f) + ".txt");
    }
    filecontrol::clsFileControl fc;
    filecontrol::clsFileControl counting;
    long events = 0;
    counting.FileCopy = [&](const std::string&, bool&) { ++events; };
    counting.FileDelete = [&](const std::string&, bool&) { ++events; };

    std::printf("| operation | library | peer | ratio |\n|---|---|---|---|\n");
    Row("`DepthSearch(tree, \"*.txt\")`", "`find -type f -name '*.txt'`",
        Compare(
            runs,
            [&] {
                filecontrol::StrArray paths;
                fc.DepthSearch(root, "*.txt", paths);
            },
            [&] { Run("find '" + root + "' -type f -name '*.txt' > /dev/null"); }));
    Row("`GetFolderSize(tree, \"*.*\")`", "`du -sb --apparent-size`",
        Compare(
            runs, [&] { fc.GetFolderSize(root, "*.*"); },
            [&] { Run("du -sb --apparent-size '" + root + "' > /dev/null"); }));
    Row("`SearchFile(flat/*.txt)`, 10,000 names sorted",
        "`find -maxdepth 1 -iname '*.txt' | sort -f`",
        Compare(
            runs,
            [&] {
                filecontrol::StrArray names;
                fc.SearchFile(flat + "/*.txt", names);
            },
            [&] {
                Run("find '" + flat + "' -maxdepth 1 -type f -iname '*.txt' | sort -f > /dev/null");
            }));

    const auto emptyScratch = [&] {
        std::filesystem::remove_all(scratch);
        std::filesystem::create_directories(scratch);
    };
    const auto fullScratch = [&] {
        std::filesystem::remove_all(scratch);
        Run("cp -r '" + root + "' '" + scratch + "'");
    };
    const auto cp = [&] { Run("cp -r '" + root + "' '" + scratch + "/tree'"); };
    const auto rm = [&] { Run("rm -rf '" + scratch + "'"); };
    Row("`CopyFolder(tree, scratch)`", "`cp -r`",
        Compare(
            runs, [&] { fc.CopyFolder(root, scratch); }, cp, emptyScratch));
    Row("`CopyFolder` with a `FileCopy` handler", "`cp -r`",
        Compare(
            runs, [&] { counting.CopyFolder(root, scratch); }, cp, emptyScratch));
    Row("`RemoveFolder(tree)`", "`rm -rf`",
        Compare(
            runs, [&] { fc.RemoveFolder(scratch); }, rm, fullScratch));
    Row("`RemoveFolder` with a `FileDelete` handler", "`rm -rf`",
        Compare(
            runs, [&] { counting.RemoveFolder(scratch); }, rm, fullScratch));
    std::printf("(%ld events in the handler runs)\n", events);
    std::filesystem::remove_all(work);
    return 0;
}
