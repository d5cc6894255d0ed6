// Any bytes through the number conversions: nothing fails that must not, and what is written
// reads back the same.
#include "FuzzCheck.h"
#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool sameNumber(double a, double b) {
    return a == b;
}

bool isNumberText(const forms::LeadingNumber& scanned, std::size_t size) {
    return scanned.length != 0 && scanned.length == size;
}

void checkParses(std::string_view text) {
    const forms::LeadingNumber scanned = forms::scanLeadingNumber(text);
    FUZZ_CHECK(scanned.length <= text.size(), "read %zu of %zu", scanned.length, text.size());
    FUZZ_CHECK(std::isfinite(scanned.value), "non-finite %g", scanned.value);

    const std::string canonical = forms::doubleToText(scanned.value);
    FUZZ_CHECK(forms::doubleToText(forms::leadingNumber(canonical)) == canonical, "%s",
               canonical.c_str());
    FUZZ_CHECK(sameNumber(forms::strictNumber(canonical), scanned.value), "%s", canonical.c_str());

    bool accepted = true;
    double strict = 0;
    try {
        strict = forms::strictNumber(text);
    } catch (const forms::RuntimeError& error) {
        FUZZ_CHECK(error.number() == 13, "error %d", error.number());
        accepted = false;
    }
    FUZZ_CHECK(accepted == isNumberText(scanned, text.size()), "strict parse %s",
               accepted ? "accepted" : "refused");
    FUZZ_CHECK(!accepted || sameNumber(strict, scanned.value), "strict %g, leading %g", strict,
               scanned.value);
}

void checkRounding(double value) {
    // The default rounding mode rounds halves to even: an independent reference.
    const double reference = std::nearbyint(value);
    const bool fits = reference >= -32768.0 && reference <= 32767.0;
    try {
        const std::int16_t rounded = forms::roundToInt16(value);
        FUZZ_CHECK(fits && rounded == reference, "%.17g rounded to %d", value, rounded);
    } catch (const forms::RuntimeError& error) {
        FUZZ_CHECK(!fits && error.number() == 6, "%.17g raised %d", value, error.number());
    }
}

void checkIntegers(std::int16_t value) {
    const std::string text = forms::integerToText(value);
    FUZZ_CHECK(forms::strictNumber(text) == value, "%s", text.c_str());
    FUZZ_CHECK(forms::doubleToText(value) == text, "%s", text.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkParses(text);
    checkRounding(forms::leadingNumber(text));
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            checkRounding(raw);
            const std::string written = forms::doubleToText(raw);
            FUZZ_CHECK(forms::strictNumber(written) == raw, "%s", written.c_str());
        }
        std::int16_t whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        checkIntegers(whole);
    }
    return 0;
}
