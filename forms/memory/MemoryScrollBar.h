#pragma once

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

private:
    std::int16_t minimum_;
    std::int16_t maximum_;
    std::int16_t value_;
};

} // namespace forms
