#include "MainWindow.h"

#include "ErrorDialog.h"
#include "audio/qt/QtSoundOutput.h"

namespace app {

std::unique_ptr<Form1> createMainWindow() {
    auto parent = std::make_shared<QWidget*>(nullptr);
    auto window = std::make_unique<Form1>(
        [parent](const forms::RuntimeError& error) { showRuntimeError(*parent, error); },
        std::make_unique<audio::QtSoundOutput>());
    *parent = window.get();
    return window;
}

} // namespace app
