#pragma once

#include "Scene.h"
#include "Synthesis.h"
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
    // The scene as the tone decides it at a tick; nothing while a box holds what is not a
    // number, which the tick reports as the type-mismatch error, as the window always has.
    using SceneSource = std::function<std::optional<Scene>()>;

    // Without a source, the display shows silence.
    explicit Renderer(SceneSource scene, forms::Display& display,
                      FitWording wording = plainFitWording);

    void tick();

private:
    void drawHarmonics(const Scene& scene);
    void drawTargetAndFit(const Scene& scene);

    SceneSource scene_;
    forms::Display& display_;
    Synthesis synthesis_;
    FitWording wording_;
};

} // namespace scope
