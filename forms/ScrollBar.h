#pragma once

#include "Event.h"

#include <cstdint>

namespace forms {

// A scroll bar holding a 16-bit value within its range. Its change handler runs when a user
// move is complete (on release for a thumb drag) and, synchronously inside setValue, when the
// program assigns a different value.
class ScrollBar {
public:
    virtual ~ScrollBar() = default;

    [[nodiscard]] virtual std::int16_t value() const = 0;
    // A value outside the range raises the invalid-property-value error; the same value runs
    // nothing.
    virtual void setValue(std::int16_t value) = 0;

    void onChange(std::function<void()> handler) { change_.setHandler(std::move(handler)); }

protected:
    void raiseChange() const { change_.raise(); }

private:
    Event change_;
};

} // namespace forms
