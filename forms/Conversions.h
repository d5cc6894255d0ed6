#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The numeric text conversions the logic relies on. The decimal point is always ".", whatever
// the process locale says: none of these go through the C library's locale-aware functions.
namespace forms {

// How much of a text the leading-number parse took, and what it read.
struct LeadingNumber {
    double value = 0.0;
    std::size_t length = 0; // characters consumed, leading blanks included; 0 when no number
};

// Reads blanks, a sign, digits with at most one ".", and an exponent when digits follow it.
// Never fails: magnitudes beyond the double range saturate to the largest finite double of
// that sign, magnitudes below the smallest give 0, and no number at all gives 0.
LeadingNumber scanLeadingNumber(std::string_view text);
double leadingNumber(std::string_view text);

// The whole text as a number; anything the leading-number parse does not read whole raises
// the type-mismatch error.
double strictNumber(std::string_view text);

// Shortest text that reads back as the same double: no "+", no trailing zeros, no decimal
// point for whole numbers, never "-0". Plain digits for magnitudes in [1e-5, 1e15), otherwise
// an exponent as in "1.5E+20". A non-finite value raises the overflow error.
std::string doubleToText(double value);

std::string integerToText(std::int16_t value);

// To the nearest integer, ties to even; outside the signed 16-bit range raises overflow.
std::int16_t roundToInt16(double value);

double sine(double radians);

} // namespace forms
