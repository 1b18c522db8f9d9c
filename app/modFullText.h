// The OCR engine's declarations and their loading. The engine is the shared
// library libKorvexOCR.so in the application folder, loaded at run time on
// first use and kept loaded, so that it stays initialised between calls.
#pragma once

#include <cstdint>
#include <string>

namespace app {

// The engine's entry points: an image path and a result buffer, both in the
// code page; 1 means success.
using KorvexOCRText_ExProc = int32_t (*)(const char* path, char* buffer);
using KorvexOCRText_Proc = int32_t (*)(const char* path, char* buffer);

constexpr const char* kEngineLibrary = "libKorvexOCR.so";

// Calls KorvexOCRText_Ex of the engine in `folder` with `path` and `buffer`.
// Throws filecontrol::VbError with a clear description when the library or
// its entry point cannot be loaded.
int32_t KorvexOCRText_Ex(const std::string& folder, const std::string& path, std::string& buffer);

}  // namespace app
