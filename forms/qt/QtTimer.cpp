#include "QtTimer.h"

#include <QTimer>

namespace forms {

QtTimer::QtTimer(QTimer& timer, ErrorBoundary& boundary)
    : connection_(QObject::connect(&timer, &QTimer::timeout, &timer,
                                   [this, &boundary] { boundary.run([this] { raiseTick(); }); })) {}

} // namespace forms
