#include "Conversions.h"

#include "RuntimeError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace forms {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// The shape of a number found at the start of a text; positions index that text.
struct NumberShape {
    std::size_t signPos = 0;
    bool negative = false;
    std::size_t mantissaBegin = 0;
    std::size_t mantissaEnd = 0; // also the end of the number when there is no exponent
    std::size_t end = 0;
    bool hasDigits = false;
};

NumberShape findNumber(std::string_view text) {
    NumberShape shape;
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        shape.negative = text[pos] == '-';
        ++pos;
    }
    shape.mantissaBegin = pos;
    std::size_t afterInteger = skipDigits(text, pos);
    bool digits = afterInteger > pos;
    pos = afterInteger;
    if (pos < text.size() && text[pos] == '.') {
        std::size_t afterFraction = skipDigits(text, pos + 1);
        digits = digits || afterFraction > pos + 1;
        pos = afterFraction;
    }
    shape.mantissaEnd = pos;
    shape.hasDigits = digits;
    if (!digits) {
        return shape;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponentDigits = pos + 1;
        if (exponentDigits < text.size() &&
            (text[exponentDigits] == '+' || text[exponentDigits] == '-')) {
            ++exponentDigits;
        }
        std::size_t afterExponent = skipDigits(text, exponentDigits);
        if (afterExponent > exponentDigits) {
            pos = afterExponent;
        }
    }
    shape.end = pos;
    return shape;
}

// Decimal position of the leading significant digit (1 for "5", 3 for "123", 0 for "0.5",
// -1 for "0.05"), including the exponent, saturated far beyond any double's reach. Only used
// to tell overflow from underflow once the conversion has said the value is out of range.
long long magnitudeOf(std::string_view number) {
    constexpr long long limit = 1'000'000'000;
    long long exponent = 0;
    std::size_t pos = 0;
    bool exponentNegative = false;
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        pos = e + 1;
        if (number[pos] == '+' || number[pos] == '-') {
            exponentNegative = number[pos] == '-';
            ++pos;
        }
        for (; pos < number.size(); ++pos) {
            exponent = std::min(limit, exponent * 10 + (number[pos] - '0'));
        }
        number = number.substr(0, e);
    }
    long long position = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    for (char c : number) {
        if (c == '.') {
            seenPoint = true;
        } else if (seenSignificant) {
            position += seenPoint ? 0 : 1;
        } else if (c != '0') {
            seenSignificant = true;
            position += seenPoint ? 0 : 1;
        } else if (seenPoint) {
            --position;
        }
    }
    return position + (exponentNegative ? -exponent : exponent);
}

double convertMagnitude(std::string_view number) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        return magnitudeOf(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return value;
}

} // namespace

LeadingNumber scanLeadingNumber(std::string_view text) {
    const NumberShape shape = findNumber(text);
    if (!shape.hasDigits) {
        return {};
    }
    const double magnitude =
        convertMagnitude(text.substr(shape.mantissaBegin, shape.end - shape.mantissaBegin));
    return {shape.negative ? -magnitude : magnitude, shape.end};
}

double leadingNumber(std::string_view text) {
    return scanLeadingNumber(text).value;
}

double strictNumber(std::string_view text) {
    const LeadingNumber number = scanLeadingNumber(text);
    if (number.length == 0 || number.length != text.size()) {
        throw RuntimeError::typeMismatch();
    }
    return number.value;
}

std::string doubleToText(double value) {
    if (!std::isfinite(value)) {
        throw RuntimeError::overflow();
    }
    if (value == 0.0) {
        return "0";
    }
    // Long enough for the shortest form of any double in either notation used here.
    std::array<char, 64> buffer{};
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= 1e-5 && magnitude < 1e15;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::string text(buffer.data(), result.ptr);
    if (!plain) {
        text[text.find('e')] = 'E';
    }
    return text;
}

std::string integerToText(std::int16_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::int16_t roundToInt16(double value) {
    if (std::isnan(value)) {
        throw RuntimeError::overflow();
    }
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError::overflow();
    }
    return static_cast<std::int16_t>(rounded);
}

double sine(double radians) {
    return std::sin(radians);
}

} // namespace forms
