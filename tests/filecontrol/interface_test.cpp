// The public interface keeps its parameter passing and results: a change to a
// signature breaks this file at compile time.
#include <gtest/gtest.h>

#include <type_traits>

#include "filecontrol/clsFileControl.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::StrArray;
using S = const std::string&;

static_assert(
    std::is_same_v<decltype(&clsFileControl::MakeDir), int32_t (clsFileControl::*)(int32_t, S)>);
static_assert(std::is_same_v<decltype(&clsFileControl::FileExecute),
                             int32_t (clsFileControl::*)(int32_t, S, std::string&, S, S)>);
static_assert(std::is_same_v<decltype(&clsFileControl::ReadFile),
                             std::string (clsFileControl::*)(S, const int32_t&)>);
static_assert(std::is_same_v<decltype(&clsFileControl::WriteFile),
                             bool (clsFileControl::*)(S, S, const int32_t&)>);
static_assert(std::is_same_v<decltype(&clsFileControl::QuickSort),
                             void (clsFileControl::*)(StrArray&, int32_t, int32_t)>);
static_assert(std::is_same_v<decltype(&clsFileControl::GetDiskSpace),
                             void (clsFileControl::*)(S, double&, double&)>);
static_assert(
    std::is_same_v<decltype(&clsFileControl::ParseString),
                   int16_t (clsFileControl::*)(S, StrArray&, const std::optional<std::string>&)>);
static_assert(std::is_same_v<decltype(&clsFileControl::LoadFromFile),
                             int16_t (clsFileControl::*)(S, StrArray&)>);
static_assert(std::is_same_v<decltype(&clsFileControl::SHDeleteFile),
                             int32_t (clsFileControl::*)(const int32_t&, S)>);
static_assert(std::is_same_v<decltype(&clsFileControl::ExtractFileName),
                             std::string (clsFileControl::*)(S, const bool&)>);

TEST(InterfaceTest, OptionalParametersHaveTheirDefaults) {
    clsFileControl fc;
    // Callable with the optional parameters left out.
    EXPECT_EQ(fc.ReadFile(""), "");
    EXPECT_FALSE(fc.WriteFile("", "x"));
}

TEST(InterfaceTest, EventsStartWithoutHandlers) {
    clsFileControl fc;
    EXPECT_FALSE(fc.FileDelete);
    EXPECT_FALSE(fc.FileCopy);
    bool cancel = false;
    fc.FileCopy = [](const std::string&, bool& F_Cancel) { F_Cancel = true; };
    fc.FileCopy("a", cancel);
    EXPECT_TRUE(cancel);
}

}  // namespace
