#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "TestImages.h"
#include "engine/KorvexOCR.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;

// Loads the built library, recognises `page` with it and unloads it again.
std::string RecognizeWithTheLibrary(const std::string& page) {
    void* library = dlopen(ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(nullptr, library) << dlerror();
    if (library == nullptr) {
        return {};
    }
    using Entry = int32_t (*)(const char*, char*);
    auto recognize = reinterpret_cast<Entry>(dlsym(library, "KorvexOCRText_Ex"));
    auto declared = reinterpret_cast<Entry>(dlsym(library, "KorvexOCRText"));
    EXPECT_NE(nullptr, recognize);
    EXPECT_NE(nullptr, declared);
    std::string buffer(engine::kResultBufferSize, '\0');
    if (recognize != nullptr) {
        EXPECT_EQ(engine::kSuccess, recognize(page.c_str(), buffer.data()));
    }
    EXPECT_EQ(0, dlclose(library));
    return buffer.substr(0, buffer.find('\0'));
}

TEST(EngineLibrary, RecognisesAgainAfterBeingUnloadedAndLoaded) {
    TempDir dir;
    const std::string page = dir / "page.png";
    testimages::WriteTextPage(page, {"다시 불러온 엔진"});
    const std::string first = RecognizeWithTheLibrary(page);
    EXPECT_NE(std::string::npos, first.find("엔진")) << first;
    EXPECT_EQ(first, RecognizeWithTheLibrary(page));
}

}  // namespace
