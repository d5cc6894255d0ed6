#pragma once

#include "ScopedConnection.h"
#include "forms/Button.h"
#include "forms/ErrorBoundary.h"

class QAbstractButton;

namespace forms {

class QtButton final : public Button {
public:
    QtButton(QAbstractButton& button, ErrorBoundary& boundary);

private:
    ScopedConnection connection_;
};

} // namespace forms
