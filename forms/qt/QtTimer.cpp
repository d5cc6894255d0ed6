#include "QtTimer.h"

#include <QTimer>

namespace forms {

QtTimer::QtTimer(QTimer& timer, ErrorBoundary& boundary)
    : timer_(timer), boundary_(boundary),
      connection_(QObject::connect(&timer, &QTimer::timeout, &timer,
                                   [this, &boundary] { boundary.run([this] { raiseTick(); }); })) {}

void QtTimer::tickSoon() {
    QTimer::singleShot(0, &timer_, [this] { boundary_.run([this] { raiseTick(); }); });
}

} // namespace forms
