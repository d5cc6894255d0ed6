#pragma once

#include "forms/Conversions.h"

#include <array>
#include <cmath>
#include <string>

namespace testing_support {

// The trace exactly as first described: every box text parsed again inside the inner loop,
// one sine per term. The reference against which the program's faster synthesis is held.
inline std::array<double, 512> literalTrace(const std::array<std::string, 17>& boxTexts) {
    std::array<double, 512> trace{};
    for (int x = 1; x <= 512; ++x) {
        const double c = 6.2831852 / 256;
        const double t = c * x;
        double s = 0;
        for (int k = 1; k <= 17; ++k) {
            const double a = forms::strictNumber(boxTexts[static_cast<std::size_t>(k - 1)]);
            s = s - a * forms::sine(k * t);
        }
        trace[static_cast<std::size_t>(x - 1)] = s / 1.5 + 128;
    }
    return trace;
}

} // namespace testing_support
