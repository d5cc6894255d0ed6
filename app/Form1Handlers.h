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
    scope::Renderer::SceneSource scene{}; // what the display shows; silence where none is given
    scope::FitWording fitWording = scope::plainFitWording;
};

// What the rest of the program hears of the handlers' work.
struct Form1Hooks {
    std::function<void()> amplitudesChanged; // a box has settled after a change
    std::function<void(int)> presetClicked;  // after the preset has been loaded
};

// Every handled event wired to its handler, in one place. The handlers capture this object,
// so it stays where it was built.
class Form1Handlers {
public:
    explicit Form1Handlers(const Form1Controls& controls, Form1Hooks hooks = {});
    Form1Handlers(const Form1Handlers&) = delete;
    Form1Handlers& operator=(const Form1Handlers&) = delete;

    // Writes amplitudes into the boxes through the bank, as a preset does.
    void load(std::span<const std::string> texts) { presets_.load(texts); }
    // Brings back texts the boxes once held, exactly.
    void restore(std::span<const std::string> texts) { presets_.restore(texts); }
    // Draws the display now rather than at the next tick.
    void redraw() { renderer_.tick(); }

private:
    editor::AmplitudeBank bank_;
    Form1Hooks hooks_;
    editor::Presets presets_;
    scope::Renderer renderer_;
};

} // namespace app
