#pragma once

#include "ScopedConnection.h"
#include "forms/ErrorBoundary.h"
#include "forms/Timer.h"

class QTimer;

namespace forms {

class QtTimer final : public Timer {
public:
    QtTimer(QTimer& timer, ErrorBoundary& boundary);

    // One tick as soon as the event loop runs, beside the timer's own.
    void tickSoon();

private:
    void tick();

    QTimer& timer_;
    ErrorBoundary& boundary_;
    ScopedConnection connection_;
};

} // namespace forms
