#pragma once

#include "Synthesis.h"
#include "Views.h"
#include "forms/Display.h"
#include "forms/TextBox.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace scope {

// Between the parts of the caption (the figures, the game's level and score), by which a
// screen reader's description splits it.
inline constexpr std::string_view captionGap = "   ";

// The fit line's words: the figures, or why there are none.
using FitWording = std::function<std::string(const std::optional<Fit>&)>;
// In English, with a decimal point.
[[nodiscard]] std::string plainFitWording(const std::optional<Fit>& fit);

// Redraws the display from the box texts on every tick: the zero line, then the trace; and
// whatever views are on.
class Renderer {
public:
    using Boxes = std::array<const forms::TextBox*, harmonicCount>;

    // The views and the phases, when given, are read at every tick.
    Renderer(const Boxes& boxes, forms::Display& display, const Views* views = nullptr,
             FitWording wording = plainFitWording, const Phases* phases = nullptr);

    void tick();

private:
    [[nodiscard]] Amplitudes readAmplitudes() const;
    void drawHarmonics(const Timbre& timbre);
    void drawTargetAndFit(const Timbre& timbre);

    Boxes boxes_;
    forms::Display& display_;
    const Views* views_;
    const Phases* phases_;
    Synthesis synthesis_;
    std::optional<FitMeter> fitMeter_; // half a megabyte of sines, made when first aimed
    FitWording wording_;
};

} // namespace scope
