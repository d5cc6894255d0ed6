#pragma once

#include "Form1.h"

#include <memory>

namespace app {

// The window as the program opens it: run-time errors reported in a dialog, sound played on
// the default audio output device.
std::unique_ptr<Form1> createMainWindow();

} // namespace app
