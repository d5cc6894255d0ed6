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

Renderer::Renderer(TimbreSource timbre, forms::Display& display, const Views* views,
                   FitWording wording)
    : timbre_(std::move(timbre)), display_(display), views_(views), wording_(std::move(wording)) {}

void Renderer::tick() {
    const std::optional<Timbre> given = timbre_ ? timbre_() : Timbre{};
    if (!given) {
        throw forms::RuntimeError::typeMismatch();
    }
    const Timbre& timbre = *given;
    const Trace trace = synthesis_.trace(timbre);
    const forms::PointF start{0.0F, static_cast<float>(centreLine)};
    display_.cls();
    drawHarmonics(timbre);
    drawTargetAndFit(timbre);
    display_.line(start, {static_cast<float>(traceWidth), start.y}, forms::yellow);
    // A phased sum starts off the zero line: from its own first point, not from the line.
    forms::PointF previous{0.0F, toSingle(Synthesis::start(timbre))};
    for (int x = 1; x <= traceWidth; ++x) {
        const forms::PointF next{static_cast<float>(x),
                                 toSingle(trace[static_cast<std::size_t>(x - 1)])};
        display_.line(previous, next, forms::green);
        previous = next;
    }
    if (views_ != nullptr && views_->drawing) {
        display_.curve(*views_->drawing, drawingColour);
    }
}

void Renderer::drawHarmonics(const Timbre& timbre) {
    const Amplitudes& amplitudes = timbre.amplitudes;
    const Phases& phases = timbre.phases;
    if (views_ == nullptr || !views_->harmonics) {
        return;
    }
    for (std::size_t k = 1; k <= harmonicCount; ++k) {
        if (amplitudes[k - 1] != 0.0) {
            display_.curve(synthesis_.harmonic(k, amplitudes[k - 1], phases[k - 1]),
                           harmonicColour(k - 1));
        }
    }
}

void Renderer::drawTargetAndFit(const Timbre& timbre) {
    const Target* aim = nullptr;
    std::string status;
    if (views_ == nullptr) {
        display_.caption({});
        return;
    }
    if (views_->round) {
        aim = views_->round->hidden ? &*views_->round->hidden : nullptr;
        status = views_->round->status;
    } else if (views_->target && views_->aim) {
        aim = &*views_->aim;
    }
    std::string caption;
    if (aim != nullptr) {
        display_.curve(aim->curve(), targetColour);
        if (!fitMeter_) {
            fitMeter_.emplace();
        }
        caption = wording_(fitMeter_->measure(timbre, *aim));
    }
    for (const std::string* part : {&std::as_const(status), &views_->phasesSetAside}) {
        if (!part->empty()) {
            caption += caption.empty() ? *part : std::string(captionGap) + *part;
        }
    }
    display_.caption(caption);
}

} // namespace scope
