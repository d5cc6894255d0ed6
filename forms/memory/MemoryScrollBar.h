#pragma once

#include "NestingMeter.h"
#include "forms/ScrollBar.h"

namespace forms {

class MemoryScrollBar final : public ScrollBar {
public:
    MemoryScrollBar(std::int16_t minimum, std::int16_t maximum, std::int16_t value);

    [[nodiscard]] std::int16_t value() const override { return value_; }
    void setValue(std::int16_t value) override;

    // A completed user move: arrow, track or key steps and thumb releases all land here,
    // kept within the range.
    void userMoveTo(int value);
    void userStep(int delta) { userMoveTo(value_ + delta); }

    // Every change notification from now on is counted by the meter.
    void watchNesting(NestingMeter& meter) { meter_ = &meter; }

private:
    std::int16_t minimum_;
    std::int16_t maximum_;
    std::int16_t value_;
    NestingMeter* meter_ = nullptr;
};

} // namespace forms
