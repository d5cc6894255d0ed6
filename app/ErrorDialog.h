#pragma once

#include "forms/RuntimeError.h"

class QWidget;

namespace app {

// Tells the user which run-time error ended the program, and waits until they have read it.
void showRuntimeError(QWidget* parent, const forms::RuntimeError& error);

} // namespace app
