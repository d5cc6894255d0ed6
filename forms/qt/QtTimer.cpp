#include "QtTimer.h"

#include <QTimer>

namespace forms {

QtTimer::QtTimer(QTimer& timer, ErrorBoundary& boundary)
    : timer_(timer), boundary_(boundary),
      connection_(QObject::connect(&timer, &QTimer::timeout, &timer, [this] { tick(); })) {}

void QtTimer::tickSoon() {
    QTimer::singleShot(0, &timer_, [this] { tick(); });
}

void QtTimer::tick() {
    boundary_.run([this] { raiseTick(); });
}

} // namespace forms
