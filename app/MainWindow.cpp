#include "MainWindow.h"

#include "ErrorDialog.h"
#include "accessible/qt/Accessibility.h"
#include "audio/qt/QtSoundOutput.h"
#include "scope/qt/DisplayViews.h"

namespace app {
namespace {

// Before any widget is made, so that each is described as this program describes it.
forms::ErrorBoundary::Reporter describingToScreenReaders(forms::ErrorBoundary::Reporter reporter) {
    describeToScreenReaders();
    return reporter;
}

} // namespace

Program::Program(forms::ErrorBoundary::Reporter reporter, std::unique_ptr<audio::SoundOutput> sound,
                 game::Random random)
    : window_(describingToScreenReaders(std::move(reporter)), &DisplayViews::fitWording),
      features_(std::make_unique<Features>(window_, std::move(sound), std::move(random))) {}

std::unique_ptr<Program> createMainWindow() {
    auto parent = std::make_shared<QWidget*>(nullptr);
    auto program = std::make_unique<Program>(
        [parent](const forms::RuntimeError& error) { showRuntimeError(*parent, error); },
        std::make_unique<audio::QtSoundOutput>());
    *parent = &program->window();
    return program;
}

} // namespace app
