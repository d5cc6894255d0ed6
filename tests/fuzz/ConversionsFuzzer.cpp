// Any bytes through the number conversions: nothing fails that must not, what is written reads
// back the same, and rounding agrees with the processor's own (halves to even).
#include "FuzzCheck.h"
#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

void checkParses(std::string_view text) {
    const forms::LeadingNumber scanned = forms::scanLeadingNumber(text);
    FUZZ_CHECK(scanned.length <= text.size(), "read %zu of %zu", scanned.length, text.size());
    FUZZ_CHECK(std::isfinite(scanned.value), "non-finite %g", scanned.value);
    const std::string canonical = forms::doubleToText(scanned.value);
    FUZZ_CHECK(forms::doubleToText(forms::leadingNumber(canonical)) == canonical, "%s",
               canonical.c_str());
    FUZZ_CHECK(forms::strictNumber(canonical) == scanned.value, "%s", canonical.c_str());
    const bool whole = scanned.length != 0 && scanned.length == text.size();
    try {
        const double strict = forms::strictNumber(text);
        FUZZ_CHECK(whole && strict == scanned.value, "strict %g, leading %g", strict,
                   scanned.value);
    } catch (const forms::RuntimeError& error) {
        FUZZ_CHECK(!whole && error.number() == 13, "error %d", error.number());
    }
}

void checkRounding(double value) {
    const double reference = std::nearbyint(value);
    const bool fits = reference >= -32768.0 && reference <= 32767.0;
    try {
        const std::int16_t rounded = forms::roundToInt16(value);
        FUZZ_CHECK(fits && rounded == reference, "%.17g rounded to %d", value, rounded);
    } catch (const forms::RuntimeError& error) {
        FUZZ_CHECK(!fits && error.number() == 6, "%.17g raised %d", value, error.number());
    }
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
            FUZZ_CHECK(forms::strictNumber(forms::doubleToText(raw)) == raw, "%.17g", raw);
        }
        std::int16_t whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        FUZZ_CHECK(forms::doubleToText(whole) == forms::integerToText(whole), "%d", whole);
    }
    return 0;
}
