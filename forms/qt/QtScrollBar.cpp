#include "QtScrollBar.h"

#include <QScrollBar>

namespace forms {

QtScrollBar::QtScrollBar(QScrollBar& bar, ErrorBoundary& boundary)
    : bar_(bar),
      connection_(QObject::connect(&bar, &QScrollBar::valueChanged, &bar, [this, &boundary] {
          boundary.run([this] { raiseChange(); });
      })) {
    // With tracking off a thumb drag reports once, on release; steps report at once.
    bar_.setTracking(false);
}

std::int16_t QtScrollBar::value() const {
    return static_cast<std::int16_t>(bar_.value());
}

void QtScrollBar::setValue(std::int16_t value) {
    // The toolkit would clamp silently; the program asked for something impossible.
    if (value < bar_.minimum() || value > bar_.maximum()) {
        throw RuntimeError::invalidPropertyValue();
    }
    bar_.setValue(value);
}

} // namespace forms
