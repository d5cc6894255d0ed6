#include "AmplitudeBank.h"

#include "forms/Conversions.h"
#include "forms/FloatingPoint.h"
#include "forms/RuntimeError.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace editor {
namespace {

std::int16_t negated(std::int16_t value) {
    if (value == std::numeric_limits<std::int16_t>::min()) {
        throw forms::RuntimeError::overflow();
    }
    return static_cast<std::int16_t>(-value);
}

} // namespace

std::string settledText(std::string_view written, std::string_view before) {
    const double value =
        std::clamp(forms::leadingNumber(written), double{minAmplitude}, double{maxAmplitude});
    const std::int16_t whole = forms::roundToInt16(value);
    if (whole != forms::roundToInt16(forms::leadingNumber(before))) {
        return forms::integerToText(whole);
    }
    return forms::doubleToText(value);
}

AmplitudeBank::AmplitudeBank(const Boxes& boxes, const Sliders& sliders)
    : boxes_(boxes), sliders_(sliders) {}

// Each step reads the text afresh: an assignment in an earlier step may already have run a
// nested change that rewrote it.
void AmplitudeBank::boxChanged(std::size_t index) {
    forms::TextBox& box = *boxes_.at(index);
    box.setText(forms::doubleToText(forms::leadingNumber(box.text())));
    if (forms::strictNumber(box.text()) > maxAmplitude) {
        box.setText(forms::integerToText(maxAmplitude));
    }
    if (forms::strictNumber(box.text()) < minAmplitude) {
        box.setText(forms::integerToText(minAmplitude));
    }
    forms::clearFloatingPointFaults();
    const double sliderPosition = -forms::strictNumber(box.text());
    forms::raiseOnFloatingPointFault();
    sliders_.at(index)->setValue(forms::roundToInt16(sliderPosition));
}

void AmplitudeBank::sliderChanged(std::size_t index) {
    boxes_.at(index)->setText(forms::integerToText(negated(sliders_.at(index)->value())));
}

} // namespace editor
