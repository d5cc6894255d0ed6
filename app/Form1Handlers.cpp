#include "Form1Handlers.h"

#include <algorithm>

namespace app {
Form1Handlers::Form1Handlers(const Form1Controls& controls, Form1Hooks hooks)
    : bank_(controls.harmonika, controls.vscroll1), hooks_(std::move(hooks)),
      presets_(controls.harmonika),
      renderer_(controls.scene, *controls.oscil, controls.fitWording) {
    for (std::size_t i = 0; i < editor::slotCount; ++i) {
        controls.harmonika[i]->onChange([this, i] {
            bank_.boxChanged(i);
            if (hooks_.amplitudesChanged) {
                hooks_.amplitudesChanged();
            }
        });
        controls.vscroll1[i]->onChange([this, i] { bank_.sliderChanged(i); });
    }
    for (std::size_t n = 0; n < controls.command1.size(); ++n) {
        controls.command1[n]->onClick([this, n] {
            presets_.buttonClicked(static_cast<int>(n));
            if (hooks_.presetClicked) {
                hooks_.presetClicked(static_cast<int>(n));
            }
        });
    }
    controls.timer1->onTick([this] { renderer_.tick(); });
}

} // namespace app
