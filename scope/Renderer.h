#pragma once

#include "Synthesis.h"
#include "forms/Display.h"
#include "forms/TextBox.h"

namespace scope {

// Redraws the display from the box texts on every tick: the zero line, then the trace.
class Renderer {
public:
    using Boxes = std::array<const forms::TextBox*, harmonicCount>;

    Renderer(const Boxes& boxes, forms::Display& display);

    void tick();

private:
    [[nodiscard]] Amplitudes readAmplitudes() const;

    Boxes boxes_;
    forms::Display& display_;
    Synthesis synthesis_;
};

} // namespace scope
