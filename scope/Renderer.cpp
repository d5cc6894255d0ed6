#include "Renderer.h"

#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <limits>

namespace scope {
namespace {

// Points are handed over in single precision; one that does not fit is an overflow.
float toSingle(double value) {
    if (value > std::numeric_limits<float>::max() || value < std::numeric_limits<float>::lowest()) {
        throw forms::RuntimeError::overflow();
    }
    return static_cast<float>(value);
}

} // namespace

Renderer::Renderer(const Boxes& boxes, forms::Display& display)
    : boxes_(boxes), display_(display) {}

// No handler runs during a tick, so each box is read once rather than at every column.
Amplitudes Renderer::readAmplitudes() const {
    Amplitudes amplitudes{};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        amplitudes[k] = forms::strictNumber(boxes_[k]->text());
    }
    return amplitudes;
}

void Renderer::tick() {
    const Trace trace = synthesis_.trace(readAmplitudes());
    const forms::PointF start{0.0F, static_cast<float>(centreLine)};
    display_.cls();
    display_.line(start, {static_cast<float>(traceWidth), start.y}, forms::yellow);
    forms::PointF previous = start;
    for (int x = 1; x <= traceWidth; ++x) {
        const forms::PointF next{static_cast<float>(x),
                                 toSingle(trace[static_cast<std::size_t>(x - 1)])};
        display_.line(previous, next, forms::green);
        previous = next;
    }
}

} // namespace scope
