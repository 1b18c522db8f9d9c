// Runs the OCR engine library on images, one process, calls in turn, and
// reports each call's time. The first call of the process is the cold one: it
// includes loading the library and its language models.
//
// Usage: ocr_run ENGINE_LIBRARY OUT_DIR IMAGE...
// Writes OUT_DIR/<image file name>.txt with the engine's text and prints
// "<image> <seconds> <result code>" per image.
#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ENGINE_LIBRARY OUT_DIR IMAGE...\n", argv[0]);
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    using Entry = int32_t (*)(const char*, char*);
    auto recognize = reinterpret_cast<Entry>(dlsym(library, "KorvexOCRText_Ex"));
    if (recognize == nullptr) {
        std::fprintf(stderr, "no KorvexOCRText_Ex in %s\n", argv[1]);
        return 1;
    }
    std::vector<char> buffer(65000);
    for (int i = 3; i < argc; ++i) {
        std::fill(buffer.begin(), buffer.end(), ' ');
        int32_t code = recognize(argv[i], buffer.data());
        auto end = Clock::now();
        double seconds = std::chrono::duration<double>(end - start).count();
        start = end;
        std::string name = std::filesystem::path(argv[i]).filename().string();
        std::ofstream out(std::filesystem::path(argv[2]) / (name + ".txt"), std::ios::binary);
        if (code == 1) {
            out << buffer.data();
        }
        std::printf("%s %.3f %d\n", argv[i], seconds, code);
        std::fflush(stdout);
    }
    return 0;
}
