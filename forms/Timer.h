#pragma once

#include "Event.h"

namespace forms {

// Ticks arrive through the event loop, never inside another handler.
class Timer {
public:
    virtual ~Timer() = default;

    void onTick(std::function<void()> handler) { tick_.setHandler(std::move(handler)); }

protected:
    void raiseTick() const { tick_.raise(); }

private:
    Event tick_;
};

} // namespace forms
