#include "forms/Caret.h"

#include <gtest/gtest.h>

namespace {

using forms::caretAfterRewrite;

TEST(CaretAfterRewrite, StaysAfterTheTextItFollowed) {
    EXPECT_EQ(caretAfterRewrite(u"205", 2, u"200"), 2U); // clamped while typing in the middle
    EXPECT_EQ(caretAfterRewrite(u"12", 1, u"12"), 1U);
    EXPECT_EQ(caretAfterRewrite(u"1.", 2, u"1"), 1U); // a trailing point vanishes
}

TEST(CaretAfterRewrite, StaysBeforeTheTextItPreceded) {
    EXPECT_EQ(caretAfterRewrite(u"012", 1, u"12"), 0U); // a leading zero vanishes
    EXPECT_EQ(caretAfterRewrite(u"07", 2, u"7"), 1U);
    EXPECT_EQ(caretAfterRewrite(u"-0", 1, u"0"), 0U);
}

TEST(CaretAfterRewrite, GoesToTheEndWhenNeitherSideSurvives) {
    EXPECT_EQ(caretAfterRewrite(u"1a2", 2, u"1"), 1U);
    EXPECT_EQ(caretAfterRewrite(u"abc", 1, u"0"), 1U);
    EXPECT_EQ(caretAfterRewrite(u"", 5, u"0"), 0U) << "an empty prefix always survives";
    EXPECT_EQ(caretAfterRewrite(u"3.5", 3, u"4"), 1U);
}

} // namespace
