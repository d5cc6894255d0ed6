#pragma once

#include "Slots.h"

#include <string>
#include <string_view>

namespace editor {

// Keeps each box canonical, within the amplitude limit, and in step with its slider. The box
// texts are the only record of the amplitudes; the handlers keep nothing between calls and
// rely on the controls running the other handler inside each assignment that changes something.
// The text a box that held `before` settles on when `written` is written into it, as the bank
// below makes it step by step: the leading number in canonical form, held within the amplitude
// limit; and where its slider moves to a new whole number, that whole number, which the slider
// writes back.
std::string settledText(std::string_view written, std::string_view before);

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
