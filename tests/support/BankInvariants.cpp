#include "BankInvariants.h"

#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <cmath>

namespace testing_support {
namespace {

// Written independently of the conversions under test: nearest integer, halves to even.
long roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    long result = static_cast<long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

} // namespace

std::string bankInvariantFault(const std::array<std::string, 17>& texts,
                               const std::array<int, 17>& values) {
    for (std::size_t i = 0; i < 17; ++i) {
        const std::string& text = texts[i];
        const std::string slot =
            "slot " + std::to_string(i) + " (\"" + text + "\", " + std::to_string(values[i]) + ")";
        if (forms::doubleToText(forms::leadingNumber(text)) != text) {
            return slot + ": text is not canonical";
        }
        double amplitude = 0;
        try {
            amplitude = forms::strictNumber(text);
        } catch (const forms::RuntimeError&) {
            return slot + ": text is not a number";
        }
        if (amplitude < -200.0 || amplitude > 200.0) {
            return slot + ": amplitude out of range";
        }
        if (roundHalfEven(-amplitude) != values[i]) {
            return slot + ": slider does not follow the box";
        }
    }
    return {};
}

} // namespace testing_support
