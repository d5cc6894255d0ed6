#pragma once

#include "forms/Timer.h"

namespace forms {

// Time passes only when the test says so, and ticks are raised from there: never inside a
// handler, as with a real event loop.
class MemoryTimer final : public Timer {
public:
    explicit MemoryTimer(int intervalMs) : intervalMs_(intervalMs) {}

    void elapse(int milliseconds) {
        pendingMs_ += milliseconds;
        while (pendingMs_ >= intervalMs_) {
            pendingMs_ -= intervalMs_;
            raiseTick();
        }
    }

private:
    int intervalMs_;
    int pendingMs_ = 0;
};

} // namespace forms
