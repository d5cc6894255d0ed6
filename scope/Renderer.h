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

// Redraws the display from the tone on every tick: the zero line, then the trace; and whatever
// views are on.
class Renderer {
public:
    // The timbre as the tone holds it at a tick; nothing while a box holds what is not a number,
    // which the tick reports as the type-mismatch error, as the window always has.
    using TimbreSource = std::function<std::optional<Timbre>()>;

    // The views, when given, are read at every tick.
    Renderer(TimbreSource timbre, forms::Display& display, const Views* views = nullptr,
             FitWording wording = plainFitWording);

    void tick();

private:
    void drawHarmonics(const Timbre& timbre);
    void drawTargetAndFit(const Timbre& timbre);

    TimbreSource timbre_;
    forms::Display& display_;
    const Views* views_;
    Synthesis synthesis_;
    std::optional<FitMeter> fitMeter_; // half a megabyte of sines, made when first aimed
    FitWording wording_;
};

} // namespace scope
