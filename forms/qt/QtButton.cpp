#include "QtButton.h"

#include <QAbstractButton>

namespace forms {

QtButton::QtButton(QAbstractButton& button, ErrorBoundary& boundary)
    : connection_(QObject::connect(&button, &QAbstractButton::clicked, &button,
                                   [this, &boundary] { boundary.run([this] { raiseClick(); }); })) {
}

} // namespace forms
