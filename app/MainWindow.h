#pragma once

#include "Features.h"
#include "Form1.h"

#include <memory>

namespace app {

// The program as it opens: the window as designed, and every feature built around it. Here, and
// only here, is the whole program put together.
class Program {
public:
    // The reporter shows a run-time error to the user before the program ends; sound goes to the
    // given output, and the game draws its waves from the given source (see Features).
    Program(forms::ErrorBoundary::Reporter reporter, std::unique_ptr<audio::SoundOutput> sound,
            game::Random random = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    [[nodiscard]] Form1& window() { return window_; }
    // Takes a sound file apart into the boxes, or plays a tune, as Open sound does.
    void openSound(const QString& path) { features_->openSound(path); }

private:
    Form1 window_;
    std::unique_ptr<Features> features_; // goes first, while the window's tone is still there
};

// Errors reported in a dialog, sound played on the default audio output device.
std::unique_ptr<Program> createMainWindow();

} // namespace app
