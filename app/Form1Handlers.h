#pragma once

#include "editor/AmplitudeBank.h"
#include "editor/Presets.h"
#include "forms/Button.h"
#include "forms/Display.h"
#include "forms/Timer.h"
#include "scope/Renderer.h"

namespace app {

// The controls whose events the program handles, whatever implements them.
struct Form1Controls {
    editor::Boxes harmonika{};
    editor::Sliders vscroll1{};
    std::array<forms::Button*, 6> command1{};
    forms::Timer* timer1 = nullptr;
    forms::Display* oscil = nullptr;
};

// Every handled event wired to its handler, in one place. The handlers capture this object,
// so it stays where it was built.
class Form1Handlers {
public:
    // amplitudesChanged runs whenever a box has settled after a change.
    explicit Form1Handlers(const Form1Controls& controls,
                           std::function<void()> amplitudesChanged = {});
    Form1Handlers(const Form1Handlers&) = delete;
    Form1Handlers& operator=(const Form1Handlers&) = delete;

private:
    editor::AmplitudeBank bank_;
    std::function<void()> amplitudesChanged_;
    editor::Presets presets_;
    scope::Renderer renderer_;
};

} // namespace app
