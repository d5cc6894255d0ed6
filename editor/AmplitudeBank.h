#pragma once

#include "Slots.h"

namespace editor {

// Keeps each box canonical, within the amplitude limit, and in step with its slider. The box
// texts are the only record of the amplitudes; the handlers keep nothing between calls and
// rely on the controls running the other handler inside each assignment that changes something.
class AmplitudeBank {
public:
    AmplitudeBank(const Boxes& boxes, const Sliders& sliders);

    void boxChanged(std::size_t index);
    void sliderChanged(std::size_t index);

private:
    Boxes boxes_;
    Sliders sliders_;
};

} // namespace editor
