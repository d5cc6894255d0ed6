#include "Form1Handlers.h"

#include <algorithm>

namespace app {
namespace {

scope::Renderer::Boxes readOnly(const editor::Boxes& boxes) {
    scope::Renderer::Boxes result{};
    std::copy(boxes.begin(), boxes.end(), result.begin());
    return result;
}

} // namespace

Form1Handlers::Form1Handlers(const Form1Controls& controls, std::function<void()> amplitudesChanged)
    : bank_(controls.harmonika, controls.vscroll1),
      amplitudesChanged_(std::move(amplitudesChanged)), presets_(controls.harmonika),
      renderer_(readOnly(controls.harmonika), *controls.oscil) {
    for (std::size_t i = 0; i < editor::slotCount; ++i) {
        controls.harmonika[i]->onChange([this, i] {
            bank_.boxChanged(i);
            if (amplitudesChanged_) {
                amplitudesChanged_();
            }
        });
        controls.vscroll1[i]->onChange([this, i] { bank_.sliderChanged(i); });
    }
    for (std::size_t n = 0; n < controls.command1.size(); ++n) {
        controls.command1[n]->onClick([this, n] { presets_.buttonClicked(static_cast<int>(n)); });
    }
    controls.timer1->onTick([this] { renderer_.tick(); });
}

} // namespace app
