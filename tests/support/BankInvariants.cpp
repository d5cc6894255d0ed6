#include "BankInvariants.h"

#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <cmath>

namespace testing_support {

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
        // The default rounding mode rounds halves to even: an oracle independent of the code.
        if (std::nearbyint(-amplitude) != values[i]) {
            return slot + ": slider does not follow the box";
        }
    }
    return {};
}

} // namespace testing_support
