// Times DepthSearch, GetFolderSize and SearchFile over a generated tree of
// about 100,000 files against GNU find and du on the same tree, in the same
// run, and prints the ratios. Usage: search_bench [folder-for-the-tree] [files]
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "filecontrol/clsFileControl.h"

namespace {

double Seconds(const std::function<void()>& action, int repeats = 3) {
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// 100 folders of 10 subfolders with `perFolder` files each, half of them .txt.
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

int Run(const std::string& command) {
    return std::system(command.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string base = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
    const int files = argc > 2 ? std::atoi(argv[2]) : 100000;
    const std::string root = base + "/ftr-search-bench";
    std::filesystem::remove_all(root);
    MakeTree(root, files);
    filecontrol::clsFileControl fc;

    size_t found = 0;
    const double depth = Seconds([&] {
        filecontrol::StrArray paths;
        fc.DepthSearch(root, "*.txt", paths);
        found = paths.Items().size();
    });
    const double findTree =
        Seconds([&] { Run("find '" + root + "' -type f -name '*.txt' > /dev/null"); });

    double summed = 0;
    const double folderSize = Seconds([&] { summed = fc.GetFolderSize(root, "*.*"); });
    const double du = Seconds([&] { Run("du -sb --apparent-size '" + root + "' > /dev/null"); });

    const std::string big = root + "/flat";
    std::filesystem::create_directories(big);
    for (int f = 0; f < files / 10; ++f) {
        std::ofstream(big + "/f" + std::to_string(f) + ".txt");
    }
    size_t listed = 0;
    const double searchFile = Seconds([&] {
        filecontrol::StrArray names;
        fc.SearchFile(big + "/*.txt", names);
        listed = names.Items().size();
    });
    const double findFlat = Seconds([&] {
        Run("find '" + big + "' -maxdepth 1 -type f -iname '*.txt' | sort -f > /dev/null");
    });

    std::printf("DepthSearch  %zu files of %d: %.3f s; find -name: %.3f s; ratio %.2f\n", found,
                files, depth, findTree, depth / findTree);
    std::printf("GetFolderSize %.0f bytes: %.3f s; du -sb --apparent-size: %.3f s; ratio %.2f\n",
                summed, folderSize, du, folderSize / du);
    std::printf(
        "SearchFile   %zu files in one folder: %.3f s; find | sort -f: %.3f s; ratio %.2f\n",
        listed, searchFile, findFlat, searchFile / findFlat);
    std::filesystem::remove_all(root);
    return 0;
}
