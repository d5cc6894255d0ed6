#include "MemoryScrollBar.h"

#include "forms/RuntimeError.h"

#include <algorithm>

namespace forms {

MemoryScrollBar::MemoryScrollBar(std::int16_t minimum, std::int16_t maximum, std::int16_t value)
    : minimum_(minimum), maximum_(maximum), value_(std::clamp(value, minimum, maximum)) {}

void MemoryScrollBar::setValue(std::int16_t value) {
    if (value < minimum_ || value > maximum_) {
        throw RuntimeError::invalidPropertyValue();
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    const NestingMeter::Level level(meter_);
    raiseChange();
}

void MemoryScrollBar::userMoveTo(int value) {
    const auto clamped = static_cast<std::int16_t>(std::clamp<int>(value, minimum_, maximum_));
    if (clamped == value_) {
        return;
    }
    value_ = clamped;
    const NestingMeter::Level level(meter_);
    raiseChange();
}

} // namespace forms
