#include "forms/Conversions.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace forms;

constexpr double largest = std::numeric_limits<double>::max();

TEST(LeadingNumberParse, ReadsTheNumberAtTheStartIgnoresTheRestAndSaturates) {
    const std::string zeros(400, '0');
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"", 0}, {"abc", 0}, {"007", 7}, {"12abc", 12}, {" 5", 5}, {"\t 5", 5}, {"-5", -5},
        {"+5", 5}, {"-.5", -0.5}, {"2.", 2}, {".", 0}, {"-", 0}, {"1e2", 100}, {"1E2", 100},
        {"1e+2", 100}, {"1e-2", 0.01}, {"1e", 1}, {"1ex", 1}, {"0x10", 0}, {"inf", 0}, {"nan", 0},
        {"1,5", 1}, {"1.2.3", 1.2}, {"1 000", 1}, {"- 5", 0}, {"--5", 0}, {"\n5", 0}, {"1d2", 1},
        {"&H10", 0}, {"3.5e1x", 35}, {".e1", 0}, {"\xef\xbc\x95", 0}, {"12\xff" "3", 12},
        {{"4\0" "2", 3}, 4}, {"1e999", largest}, {"-1e999", -largest}, {"9" + zeros, largest},
        {"1e99999999999999999999999", largest}, {"1e-999", 0}, {"0." + zeros + "1", 0},
        {"0.000001e-999999", 0}, {"0e999999", 0}, {"4.9e-324", 4.9e-324},
    };
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(leadingNumber(text), value) << '"' << text << '"';
    }
}

TEST(DoubleToText, WritesTheShortestCanonicalForm) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {7.0, "7"}, {-5.0, "-5"}, {200.0, "200"}, {2.5, "2.5"},
        {0.1, "0.1"}, {-0.5, "-0.5"}, {200.4, "200.4"}, {1e-5, "0.00001"}, {1e-6, "1E-06"},
        {1e15, "1E+15"}, {1.5e20, "1.5E+20"}, {5e-324, "5E-324"},
        {123456789012345.0, "123456789012345"}, {largest, "1.7976931348623157E+308"},
    };
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(doubleToText(value), text) << value;
    }
}

} // namespace
