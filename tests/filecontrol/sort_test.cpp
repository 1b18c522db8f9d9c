#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "filecontrol/clsFileControl.h"
#include "support/ui_recorder.h"

namespace {

using filecontrol::clsFileControl;
using filecontrol::StrArray;
using filecontrol::VbError;

std::vector<std::string> Sorted(std::initializer_list<std::string> names) {
    clsFileControl fc;
    StrArray a(0, names);
    fc.QuickSort(a, 0, a.UBound());
    return a.Items();
}

std::string Upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    return s;
}

TEST(QuickSortTest, ComparesUpperCasedOrdinal) {
    EXPECT_EQ(Sorted({"b", "A"}), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(Sorted({"a", "A"}), (std::vector<std::string>{"a", "A"}));
    EXPECT_EQ(Sorted({"b", "_a", "A", "Z"}), (std::vector<std::string>{"A", "b", "Z", "_a"}));
    EXPECT_EQ(Sorted({"한", "b", "10", "1", "a"}),
              (std::vector<std::string>{"1", "10", "a", "b", "한"}));
    auto both = Sorted({"DATA", "x", "Data"});
    EXPECT_EQ(both[2], "x");
    EXPECT_EQ(Upper(both[0]), "DATA");
    EXPECT_EQ(Upper(both[1]), "DATA");
    EXPECT_NE(both[0], both[1]);
}

TEST(QuickSortTest, EmptyAndSingleRangesAreLeftAlone) {
    clsFileControl fc;
    StrArray empty = StrArray::Empty();
    fc.QuickSort(empty, 0, -1);
    EXPECT_EQ(empty.UBound(), -1);
    StrArray one(0, {"z", "a"});
    fc.QuickSort(one, 1, 1);
    EXPECT_EQ(one.Items(), (std::vector<std::string>{"z", "a"}));
    StrArray unbound;
    fc.QuickSort(unbound, 0, -1);  // nothing to do, no error
}

TEST(QuickSortTest, SortsOnlyTheRange) {
    clsFileControl fc;
    StrArray a(0, {"9", "8", "z", "c", "b", "a", "3", "2", "1", "0"});
    fc.QuickSort(a, 2, 5);
    EXPECT_EQ(a.Items(),
              (std::vector<std::string>{"9", "8", "a", "b", "c", "z", "3", "2", "1", "0"}));
}

TEST(QuickSortTest, BadBoundsAreSubscriptOutOfRange) {
    clsFileControl fc;
    StrArray a(0, {"b", "a"});
    for (auto [low, high] : {std::pair{0, 2}, std::pair{-1, 1}}) {
        try {
            fc.QuickSort(a, low, high);
            FAIL() << "expected error 9";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 9);
        }
    }
    StrArray unbound;
    EXPECT_THROW(fc.QuickSort(unbound, 0, 1), VbError);
}

TEST(QuickSortTest, ManyRandomNamesMatchAReferenceSort) {
    std::mt19937 rng(7);
    StrArray a = StrArray::Empty();
    for (int i = 0; i < 20000; ++i) {
        std::string name;
        for (int k = 0, n = static_cast<int>(rng() % 4); k <= n; ++k) {
            name += "aAbB_1"[rng() % 6];
        }
        a.Append(name);
    }
    clsFileControl fc;
    platform::RecordingUserInterface ui;
    fc.QuickSort(a, 0, a.UBound());
    std::vector<std::string> keys;
    for (const auto& s : a.Items()) {
        keys.push_back(Upper(s));
    }
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(a.Items().size(), 20000u);
    EXPECT_GT(ui.doEventsCount, 0);  // the window keeps being served
}

TEST(QuickSortTest, TwoHundredThousandEqualNamesAreFast) {
    StrArray a = StrArray::Empty();
    for (int i = 0; i < 200000; ++i) {
        a.Append(i % 2 ? "same.txt" : "SAME.TXT");
    }
    clsFileControl fc;
    const auto start = std::chrono::steady_clock::now();
    fc.QuickSort(a, 0, a.UBound());
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);  // quadratic would take minutes
    EXPECT_EQ(a.UBound(), 199999);
}

TEST(QuickSortTest, SortedAndReversedInputsStayShallow) {
    StrArray a = StrArray::Empty();
    for (int i = 0; i < 100000; ++i) {
        a.Append(std::to_string(1000000 - i));
    }
    clsFileControl fc;
    fc.QuickSort(a, 0, a.UBound());
    // Ordinal order of the texts: "1000000" comes before "900001".
    EXPECT_EQ(a[0], "1000000");
    EXPECT_EQ(a[1], "900001");
    EXPECT_EQ(a[99999], "999999");
}

TEST(SortFileTest, OrdinalCaseSensitiveWithSeparatorRules) {
    clsFileControl fc;
    EXPECT_EQ(fc.SortFile("b|_a|A|Z|"), "A|Z|_a|b");
    EXPECT_EQ(fc.SortFile(""), "");
    EXPECT_EQ(fc.SortFile("b|a|"), "a|b");
    EXPECT_EQ(fc.SortFile("a|"), "a");
    EXPECT_EQ(fc.SortFile("b|a"), "|b");
    EXPECT_EQ(fc.SortFile("a||b|"), "|a|b");
    EXPECT_EQ(fc.SortFile("B|a|"), "B|a");
    EXPECT_EQ(fc.SortFile("|"), "");
    EXPECT_EQ(fc.SortFile("가나|abc|Z|"), "Z|abc|가나");
    // The last character is dropped whole, also when it is not ASCII.
    EXPECT_EQ(fc.SortFile("b|a한"), "a|b");
}

TEST(SortFileTest, MoreThan32767NamesAreAllSorted) {
    clsFileControl fc;
    std::string list;
    for (int i = 40000; i > 0; --i) {
        list += "n" + std::to_string(100000 + i) + "|";
    }
    const std::string sorted = fc.SortFile(list);
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(), '|'), 39999);
    EXPECT_EQ(sorted.substr(0, 8), "n100001|");
}

}  // namespace
