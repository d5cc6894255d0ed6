#pragma once

#include "ScopedConnection.h"
#include "forms/ErrorBoundary.h"
#include "forms/Timer.h"

class QTimer;

namespace forms {

class QtTimer final : public Timer {
public:
    QtTimer(QTimer& timer, ErrorBoundary& boundary);

private:
    ScopedConnection connection_;
};

} // namespace forms
