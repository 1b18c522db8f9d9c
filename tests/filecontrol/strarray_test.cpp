#include "filecontrol/StrArray.h"

#include <gtest/gtest.h>

#include "support/Errors.h"

#include "filecontrol/VbError.h"

namespace {

using filecontrol::StrArray;
using filecontrol::VbError;

using testsupport::ErrorOf;

TEST(StrArrayTest, WithoutBoundsEveryUseIsSubscriptOutOfRange) {
    StrArray a;
    EXPECT_FALSE(a.IsDimensioned());
    EXPECT_EQ(ErrorOf([&] { a.UBound(); }), 9);
    EXPECT_EQ(ErrorOf([&] { a.LBound(); }), 9);
    EXPECT_EQ(ErrorOf([&] { a[0]; }), 9);
}

TEST(StrArrayTest, EmptyArrayHasBoundsZeroToMinusOne) {
    StrArray a = StrArray::Empty();
    EXPECT_TRUE(a.IsDimensioned());
    EXPECT_EQ(a.LBound(), 0);
    EXPECT_EQ(a.UBound(), -1);
    EXPECT_EQ(ErrorOf([&] { a[0]; }), 9);
}

TEST(StrArrayTest, GrowingKeepsContentsAndLowerBound) {
    StrArray a(1, {"a", "b"});
    a.ReDimPreserve(3);
    EXPECT_EQ(a.LBound(), 1);
    EXPECT_EQ(a.UBound(), 3);
    EXPECT_EQ(a[1], "a");
    EXPECT_EQ(a[2], "b");
    EXPECT_EQ(a[3], "");
    EXPECT_EQ(ErrorOf([&] { a[0]; }), 9);
    EXPECT_EQ(ErrorOf([&] { a[4]; }), 9);
    a.ReDimPreserve(1);
    EXPECT_EQ(a.Items(), std::vector<std::string>{"a"});
}

TEST(StrArrayTest, AppendGivesAnUnboundArrayLowerBoundZero) {
    StrArray a;
    a.Append("x");
    a.Append() = "y";
    EXPECT_EQ(a.LBound(), 0);
    EXPECT_EQ(a.UBound(), 1);
    EXPECT_EQ(a[1], "y");
}

TEST(StrArrayTest, ReDimClearsAndEraseDropsBounds) {
    StrArray a(0, {"keep?"});
    a.ReDim(-2, 2);
    EXPECT_EQ(a.LBound(), -2);
    EXPECT_EQ(a[-2], "");
    EXPECT_EQ(a.Items().size(), 5u);
    EXPECT_EQ(ErrorOf([&] { a.ReDim(3, 1); }), 9);
    a.Erase();
    EXPECT_FALSE(a.IsDimensioned());
}

}  // namespace
