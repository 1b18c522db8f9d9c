// A stand-in for the OCR engine that answers as the test asks through the
// environment:
//   FAKE_OCR_RETURN  the answer (default 1)
//   FAKE_OCR_TEXT    the bytes written into the buffer, then a NUL
//   FAKE_OCR_LOG     a file to which each call appends one line: the current
//                    folder, a tab, the path, a tab, and "blank" when the
//                    buffer arrived as 65000 blanks, "dirty" otherwise
//   FAKE_OCR_SLEEP_MS  how long the call takes
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

extern "C" int32_t KorvexOCRText_Ex(const char* path, char* buffer) {
    if (const char* log = std::getenv("FAKE_OCR_LOG")) {
        char cwd[PATH_MAX] = {};
        if (::getcwd(cwd, sizeof cwd) == nullptr) {
            cwd[0] = '\0';
        }
        bool blank = true;
        for (int i = 0; i < 65000; ++i) {
            blank = blank && buffer[i] == ' ';
        }
        std::ofstream(log, std::ios::app)
            << cwd << '\t' << path << '\t' << (blank ? "blank" : "dirty") << '\n';
    }
    if (const char* sleep = std::getenv("FAKE_OCR_SLEEP_MS")) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sleep)));
    }
    if (const char* text = std::getenv("FAKE_OCR_TEXT")) {
        const size_t len = std::min(std::strlen(text), static_cast<size_t>(64999));
        std::memcpy(buffer, text, len);
        buffer[len] = '\0';
    }
    const char* answer = std::getenv("FAKE_OCR_RETURN");
    return answer != nullptr ? std::atoi(answer) : 1;
}

extern "C" int32_t KorvexOCRText(const char* path, char* buffer) {
    return KorvexOCRText_Ex(path, buffer);
}
