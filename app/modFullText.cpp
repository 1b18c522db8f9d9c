#include "app/modFullText.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "filecontrol/VbError.h"

namespace app {

namespace {

// The runtime errors for a library that cannot be loaded and a missing entry.
constexpr int32_t kDllLoadError = 48;
constexpr int32_t kEntryPointMissing = 453;

std::mutex enginesMutex;
std::map<std::string, KorvexOCRText_ExProc> engines;

KorvexOCRText_ExProc LoadEngine(const std::string& folder) {
    const std::string library = folder + "/" + kEngineLibrary;
    std::lock_guard<std::mutex> lock(enginesMutex);
    if (auto found = engines.find(library); found != engines.end()) {
        return found->second;
    }
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        throw filecontrol::VbError(kDllLoadError,
                                   "OCR 엔진 라이브러리를 불러올 수 없습니다: " + library +
                                       (why ? "\r\n" + std::string(why) : ""));
    }
    auto entry = reinterpret_cast<KorvexOCRText_ExProc>(::dlsym(handle, "KorvexOCRText_Ex"));
    if (entry == nullptr) {
        ::dlclose(handle);
        throw filecontrol::VbError(kEntryPointMissing,
                                   "OCR 엔진에 KorvexOCRText_Ex 진입점이 없습니다: " + library);
    }
    engines[library] = entry;
    return entry;
}

}  // namespace

int32_t KorvexOCRText_Ex(const std::string& folder, const std::string& path, std::string& buffer) {
    KorvexOCRText_ExProc entry = LoadEngine(folder);
    return entry(path.c_str(), buffer.data());
}

}  // namespace app
