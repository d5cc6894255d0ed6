#include "forms/Conversions.h"

#include "forms/RuntimeError.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

using forms::doubleToText;
using forms::integerToText;
using forms::leadingNumber;
using forms::roundToInt16;
using forms::RuntimeError;
using forms::strictNumber;

constexpr double largest = std::numeric_limits<double>::max();

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

struct ParseCase {
    const char* text;
    double value;
};

TEST(LeadingNumberParse, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    const ParseCase cases[] = {
        {"", 0},        {"abc", 0},   {"007", 7},    {"12abc", 12},  {" 5", 5},   {"\t 5", 5},
        {"-5", -5},     {"+5", 5},    {"-.5", -0.5}, {"2.", 2},      {".", 0},    {"-", 0},
        {"1e2", 100},   {"1E2", 100}, {"1e+2", 100}, {"1e-2", 0.01}, {"1e", 1},   {"1e+", 1},
        {"1ex", 1},     {"0x10", 0},  {"inf", 0},    {"nan", 0},     {"-inf", 0}, {"1,5", 1},
        {"1.2.3", 1.2}, {"1 000", 1}, {"- 5", 0},    {"--5", 0},     {"\n5", 0},  {"200.4", 200.4},
        {"1d2", 1},     {"&H10", 0},  {"5 ", 5},     {"3.5e1x", 35}, {".e1", 0},  {"0.000", 0},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumberParse, SaturatesBeyondTheDoubleRangeInsteadOfFailing) {
    EXPECT_EQ(leadingNumber("1e999"), largest);
    EXPECT_EQ(leadingNumber("-1e999"), -largest);
    EXPECT_EQ(leadingNumber("1e99999999999999999999999"), largest);
    EXPECT_EQ(leadingNumber(std::string(400, '9')), largest);
    EXPECT_EQ(leadingNumber("1e-999"), 0.0);
    EXPECT_EQ(leadingNumber("-1e-99999999999999999999"), 0.0);
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(leadingNumber("0.000001e-999999"), 0.0);
    EXPECT_EQ(leadingNumber("0e999999"), 0.0);
    EXPECT_GT(leadingNumber("4.9e-324"), 0.0) << "the smallest subnormal is still a number";
}

TEST(LeadingNumberParse, NeverReadsNonAsciiOrEmbeddedNulsAsDigits) {
    EXPECT_EQ(leadingNumber("\xef\xbc\x95"), 0.0); // fullwidth five
    EXPECT_EQ(leadingNumber(std::string("4\0"
                                        "2",
                                        3)),
              4.0);
    EXPECT_EQ(leadingNumber("12\xff"
                            "3"),
              12.0);
}

TEST(StrictParse, AcceptsWholeNumbersOnly) {
    EXPECT_EQ(strictNumber("200"), 200.0);
    EXPECT_EQ(strictNumber("-200"), -200.0);
    EXPECT_EQ(strictNumber("2.5"), 2.5);
    EXPECT_EQ(strictNumber(" 7"), 7.0);
    EXPECT_EQ(strictNumber("1.5E+20"), 1.5e20);
    EXPECT_EQ(strictNumber("1e999"), largest);
    EXPECT_TRUE(std::signbit(strictNumber("-0")));
    for (const char* text :
         {"", " ", "-", ".", "abc", "12abc", "1e", "5 ", "1,5", "0x10", "inf", "nan", "2..5"}) {
        EXPECT_EQ(errorNumberOf([&] { (void)strictNumber(text); }), 13) << '"' << text << '"';
    }
}

TEST(DoubleToText, WritesTheShortestCanonicalForm) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {7.0, "7"},
        {-5.0, "-5"},
        {200.0, "200"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {-0.5, "-0.5"},
        {200.4, "200.4"},
        {1e-5, "0.00001"},
        {1e-6, "1E-06"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {1.5e20, "1.5E+20"},
        {largest, "1.7976931348623157E+308"},
        {5e-324, "5E-324"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(doubleToText(value), text) << value;
    }
    EXPECT_EQ(errorNumberOf([] { (void)doubleToText(std::numeric_limits<double>::infinity()); }),
              6);
}

TEST(DoubleToText, RoundTripsEveryFiniteDoubleThroughBothParses) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_real_distribution<double> amplitudes(-250.0, 250.0);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const std::uint64_t raw = bits(random);
            std::memcpy(&value, &raw, sizeof value);
            if (!std::isfinite(value)) {
                continue;
            }
        } else {
            value = amplitudes(random);
        }
        const std::string text = doubleToText(value);
        ASSERT_EQ(leadingNumber(text), value) << text;
        ASSERT_EQ(strictNumber(text), value) << text;
        ASSERT_EQ(doubleToText(leadingNumber(text)), text);
    }
}

TEST(IntegerToText, WritesPlainDecimal) {
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(-200), "-200");
    EXPECT_EQ(integerToText(32767), "32767");
    EXPECT_EQ(integerToText(-32768), "-32768");
}

TEST(RoundToInt16, RoundsHalfwayCasesToEven) {
    const std::pair<double, int> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {2.4999999, 2},
        {2.5000001, 3},
        {-200.0, -200},
        {32767.4, 32767},
        {-32768.5, -32768},
        {0.49999999999999994, 0},
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundToInt16(value), rounded) << value;
    }
}

TEST(RoundToInt16, RaisesOverflowOutsideTheSixteenBitRange) {
    for (const double value : {32767.5, 32768.0, -32768.6, -32769.0, 1e300, std::nan(""),
                               std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(errorNumberOf([&] { (void)roundToInt16(value); }), 6) << value;
    }
}

// The desktop's locale must not change how numbers are read or written: these locales use a
// comma as the decimal separator.
TEST(ConversionsUnderACommaLocale, ReadAndWriteAPoint) {
    for (const char* name : {"lt_LT.UTF-8", "de_DE.UTF-8"}) {
        const std::string previous = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr)
            << name << " is not installed; run scripts/install-deps";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        EXPECT_EQ(leadingNumber("2.5"), 2.5);
        EXPECT_EQ(leadingNumber("2,5"), 2.0);
        EXPECT_EQ(doubleToText(-0.25), "-0.25");
        EXPECT_EQ(doubleToText(1.5e20), "1.5E+20");
        EXPECT_EQ(strictNumber("200.4"), 200.4);
        EXPECT_EQ(errorNumberOf([] { (void)strictNumber("2,5"); }), 13);
        std::setlocale(LC_ALL, previous.c_str());
    }
}

// Runs under LC_ALL set to a comma locale prove nothing unless the locale really took effect.
TEST(ProcessLocale, IsTheOneTheEnvironmentAsksFor) {
    const char* asked = std::getenv("LC_ALL");
    const std::string locale = asked != nullptr ? asked : "";
    if (locale.rfind("lt_LT", 0) != 0 && locale.rfind("de_DE", 0) != 0) {
        GTEST_SKIP() << "not a comma-locale run";
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

} // namespace
