#include "editor/AmplitudeBank.h"

#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "tests/support/BankInvariants.h"
#include "tests/support/MemoryForm1.h"
#include "tests/support/UserActions.h"

#include <gtest/gtest.h>

namespace {

using testing_support::MemoryForm1;

class AmplitudeBankTest : public testing::Test {
protected:
    void userReplaces(std::size_t slot, const std::string& text) {
        form.harmonika[slot].userReplaceAll(text);
    }
    [[nodiscard]] std::string text(std::size_t slot) const { return form.harmonika[slot].text(); }
    [[nodiscard]] int value(std::size_t slot) const { return form.vscroll1[slot].value(); }
    [[nodiscard]] std::string invariantFault() const {
        return testing_support::bankInvariantFault(form.texts(), form.values());
    }

    MemoryForm1 form;
};

TEST_F(AmplitudeBankTest, TypingPastTheLimitClampsAndMovesTheSlider) {
    userReplaces(3, "25");
    form.harmonika[3].userInsert(2, "0");
    EXPECT_EQ(text(3), "200");
    EXPECT_EQ(value(3), -200);
}

TEST_F(AmplitudeBankTest, MovingASliderWritesItsNegationIntoTheBox) {
    form.vscroll1[5].userMoveTo(-37);
    EXPECT_EQ(text(5), "37");
    form.vscroll1[5].userMoveTo(150);
    EXPECT_EQ(text(5), "-150");
    form.vscroll1[5].userMoveTo(0);
    EXPECT_EQ(text(5), "0") << "never a negative zero";
    form.vscroll1[5].userStep(-10);
    EXPECT_EQ(text(5), "10");
    EXPECT_EQ(invariantFault(), "");
}

TEST_F(AmplitudeBankTest, SettlesEveryTextOnItsCanonicalClampedForm) {
    struct Case {
        const char* typed;
        const char* shown;
        int slider;
    };
    const Case cases[] = {
        {"", "0", 0},
        {"abc", "0", 0},
        {"007", "7", -7},
        {"12abc", "12", -12},
        {"-5", "-5", 5},
        {"2.", "2", -2},
        {"-", "0", 0},
        {"200", "200", -200},
        {"-200", "-200", 200},
        {"200.4", "200", -200},
        {"-250", "-200", 200},
        {"1e999", "200", -200},
        {"-1e999", "-200", 200},
        {" 42 apples", "42", -42},
        {"0.5", "0.5", 0},
        {"1.5", "2", -2},
        {"2.5", "2", -2},
        {"-0", "0", 0},
        {"1e2", "100", -100},
        {"0x10", "0", 0},
        {"\xff\xfe"
         "5",
         "0", 0},
        {"199.99", "200", -200},
        {"1e-7", "1E-07", 0},
        {"3,5", "3", -3},
    };
    for (const Case& c : cases) {
        userReplaces(9, c.typed);
        EXPECT_EQ(text(9), c.shown) << '"' << c.typed << '"';
        EXPECT_EQ(value(9), c.slider) << '"' << c.typed << '"';
        EXPECT_EQ(invariantFault(), "") << '"' << c.typed << '"';
        userReplaces(9, "0");
    }
}

TEST_F(AmplitudeBankTest, SettlesAMegabytePaste) {
    const std::size_t megabyte = 1 << 20;
    userReplaces(6, std::string(megabyte, '7'));
    EXPECT_EQ(text(6), "200");
    userReplaces(6, "-" + std::string(megabyte, '9'));
    EXPECT_EQ(text(6), "-200");
    userReplaces(6, std::string(megabyte, 'x'));
    EXPECT_EQ(text(6), "0");
    userReplaces(6, "0." + std::string(megabyte, '0') + "1");
    EXPECT_EQ(text(6), "0");
    EXPECT_EQ(invariantFault(), "");
}

TEST_F(AmplitudeBankTest, KeepsAFractionOnlyWhereTheSliderAlreadyStandsAtItsRounding) {
    userReplaces(2, "2");
    userReplaces(2, "2.5");
    EXPECT_EQ(text(2), "2.5");
    EXPECT_EQ(value(2), -2);

    userReplaces(2, "3");
    userReplaces(2, "3.5");
    EXPECT_EQ(text(2), "4");
    EXPECT_EQ(value(2), -4);

    userReplaces(4, "2.5");
    EXPECT_EQ(text(4), "2") << "pasting 2.5 over 0 moves the slider, which writes the whole number";
}

TEST_F(AmplitudeBankTest, DecimalPointAndLeadingMinusCannotBeTypedOneKeyAtATime) {
    form.harmonika[1].userInsert(1, ".");
    EXPECT_EQ(text(1), "0");
    userReplaces(1, "");
    form.harmonika[1].userInsert(0, "-");
    EXPECT_EQ(text(1), "0");
    form.harmonika[1].userInsert(0, "-");
    EXPECT_EQ(text(1), "0") << "minus before zero is still zero";
    form.harmonika[1].userInsert(1, "5");
    EXPECT_EQ(text(1), "5");
    form.harmonika[1].userInsert(0, "-");
    EXPECT_EQ(text(1), "-5");
    EXPECT_EQ(value(1), 5);
}

TEST_F(AmplitudeBankTest, EditsTouchOnlyTheirOwnSlot) {
    userReplaces(0, "150");
    form.vscroll1[16].userMoveTo(-3);
    for (std::size_t i = 1; i < 16; ++i) {
        EXPECT_EQ(text(i), "0");
        EXPECT_EQ(value(i), 0);
    }
    EXPECT_EQ(text(0), "150");
    EXPECT_EQ(text(16), "3");
}

TEST_F(AmplitudeBankTest, HoldsItsRulesOverLongRandomSessions) {
    std::vector<int> anyValue;
    for (int v = -200; v <= 200; ++v) {
        anyValue.push_back(v);
    }
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        MemoryForm1 session;
        testing_support::UserActionSource source(seed, anyValue);
        for (int step = 0; step < 2000; ++step) {
            const auto action = source.next(session.texts());
            testing_support::applyTo(session, action);
            const std::string fault =
                testing_support::bankInvariantFault(session.texts(), session.values());
            ASSERT_EQ(fault, "") << "seed " << seed << ", step " << step << ": "
                                 << action.describe();
            ASSERT_LE(session.nesting.deepest, 4) << "seed " << seed << ", step " << step;
        }
    }
}

using NestingDepth = AmplitudeBankTest;

TEST_F(NestingDepth, ReachesFourHandlersAndNoMore) {
    userReplaces(3, "03.5"); // normalise, slider moves, slider writes back, box settles
    EXPECT_EQ(form.nesting.deepest, 4);
    EXPECT_EQ(text(3), "4");
    EXPECT_EQ(form.nesting.depth, 0);

    for (const char* typed :
         {"250", "-1e999", "007.5", "abc", "199.5", "-0.5", "2.5", "0", "1e-400"}) {
        for (std::size_t i = 0; i < 17; ++i) {
            form.nesting.deepest = 0;
            userReplaces(i, typed);
            EXPECT_LE(form.nesting.deepest, 4) << typed;
            form.vscroll1[i].userMoveTo(static_cast<int>(i) * 23 - 200);
            EXPECT_LE(form.nesting.deepest, 4) << typed;
        }
    }
}

} // namespace
