#pragma once

#include "Synthesis.h"
#include "Views.h"
#include "forms/Display.h"
#include "forms/TextBox.h"

namespace scope {

// Redraws the display from the box texts on every tick: the zero line, then the trace; and
// whatever views are on.
class Renderer {
public:
    using Boxes = std::array<const forms::TextBox*, harmonicCount>;

    // The views, when given, are read at every tick.
    Renderer(const Boxes& boxes, forms::Display& display, const Views* views = nullptr);

    void tick();

private:
    [[nodiscard]] Amplitudes readAmplitudes() const;
    void drawHarmonics(const Amplitudes& amplitudes);
    void drawTargetAndFit(const Amplitudes& amplitudes);

    Boxes boxes_;
    forms::Display& display_;
    const Views* views_;
    Synthesis synthesis_;
    FitMeter fitMeter_;
};

} // namespace scope
