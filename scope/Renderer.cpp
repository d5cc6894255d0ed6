#include "Renderer.h"

#include "Palette.h"
#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <array>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace scope {
namespace {

// Points are handed over in single precision; one that does not fit is an overflow.
float toSingle(double value) {
    if (value > std::numeric_limits<float>::max() || value < std::numeric_limits<float>::lowest()) {
        throw forms::RuntimeError::overflow();
    }
    return static_cast<float>(value);
}

constexpr forms::Color targetColour{120, 120, 120};
constexpr forms::Color drawingColour{0, 220, 255};

// With a point whatever the locale, as every number the program writes.
std::string oneDecimal(double value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 1);
    return {buffer.data(), end.ptr};
}

} // namespace

std::string plainFitWording(const std::optional<Fit>& fit) {
    return fit ? "RMS error " + oneDecimal(fit->rmsError) + " %   overshoot " +
                     (fit->overshoot >= 0.0 ? "+" : "") + oneDecimal(fit->overshoot) + " %"
               : "The target is flat: nothing to compare";
}

Renderer::Renderer(SceneSource scene, forms::Display& display, FitWording wording)
    : scene_(std::move(scene)), display_(display), wording_(std::move(wording)) {}

void Renderer::tick() {
    const std::optional<Scene> given = scene_ ? scene_() : Scene{};
    if (!given) {
        throw forms::RuntimeError::typeMismatch();
    }
    const Scene& scene = *given;
    const Trace trace = synthesis_.trace(scene.timbre);
    const forms::PointF start{0.0F, static_cast<float>(centreLine)};
    display_.cls();
    drawHarmonics(scene);
    drawTargetAndFit(scene);
    display_.line(start, {static_cast<float>(traceWidth), start.y}, forms::yellow);
    // A phased sum starts off the zero line: from its own first point, not from the line.
    forms::PointF previous{0.0F, toSingle(Synthesis::start(scene.timbre))};
    for (int x = 1; x <= traceWidth; ++x) {
        const forms::PointF next{static_cast<float>(x),
                                 toSingle(trace[static_cast<std::size_t>(x - 1)])};
        display_.line(previous, next, forms::green);
        previous = next;
    }
    if (scene.drawing != nullptr) {
        display_.curve(*scene.drawing, drawingColour);
    }
}

void Renderer::drawHarmonics(const Scene& scene) {
    if (!scene.harmonics) {
        return;
    }
    const auto& [amplitudes, phases] = scene.timbre;
    for (std::size_t k = 1; k <= harmonicCount; ++k) {
        if (amplitudes[k - 1] != 0.0) {
            display_.curve(synthesis_.harmonic(k, amplitudes[k - 1], phases[k - 1]),
                           harmonicColour(k - 1));
        }
    }
}

void Renderer::drawTargetAndFit(const Scene& scene) {
    std::string caption;
    if (scene.target != nullptr) {
        display_.curve(scene.target->curve(), targetColour);
        caption = wording_(scene.fit);
    }
    for (const std::string* part : {&scene.status, &scene.phasesSetAside}) {
        if (!part->empty()) {
            caption += caption.empty() ? *part : std::string(captionGap) + *part;
        }
    }
    display_.caption(caption);
}

} // namespace scope
