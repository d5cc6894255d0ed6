#include "Synthesis.h"

#include "forms/Conversions.h"
#include "forms/FloatingPoint.h"

#include <cmath>
#include <numbers>

namespace scope {

namespace {

struct Parts {
    double sine;
    double cosine;
};

Parts partsOf(double amplitude, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return {amplitude * std::cos(radians), amplitude * std::sin(radians)};
}

} // namespace

Synthesis::Synthesis()
    : sines_(harmonicCount * static_cast<std::size_t>(traceWidth)), cosines_(sines_.size()) {
    for (std::size_t k = 1; k <= harmonicCount; ++k) {
        for (int x = 1; x <= traceWidth; ++x) {
            const double t = phaseStep * x;
            const auto at = (k - 1) * traceWidth + static_cast<std::size_t>(x - 1);
            sines_[at] = forms::sine(static_cast<double>(k) * t);
            cosines_[at] = std::cos(static_cast<double>(k) * t);
        }
    }
}

Trace Synthesis::trace(const Timbre& timbre) const {
    const Amplitudes& amplitudes = timbre.amplitudes;
    const Phases& phases = timbre.phases;
    std::array<double, traceWidth> sums{};
    forms::clearFloatingPointFaults();
    // Harmonic by harmonic over all columns, which vectorises; each column still takes its
    // terms in order of k. A zero term leaves the sum exactly as it is, so it is skipped.
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double amplitude = amplitudes[k];
        if (amplitude == 0.0) {
            continue;
        }
        const double* sines = sines_.data() + k * traceWidth;
        if (phases[k] == 0.0) {
            for (std::size_t x = 0; x < sums.size(); ++x) {
                sums[x] -= amplitude * sines[x];
            }
            continue;
        }
        const Parts parts = partsOf(amplitude, phases[k]);
        const double* cosines = cosines_.data() + k * traceWidth;
        for (std::size_t x = 0; x < sums.size(); ++x) {
            sums[x] -= parts.sine * sines[x] + parts.cosine * cosines[x];
        }
    }
    Trace trace{};
    for (std::size_t x = 0; x < trace.size(); ++x) {
        trace[x] = sums[x] / verticalScale + centreLine;
    }
    forms::raiseOnFloatingPointFault();
    for (const double y : trace) {
        forms::raiseUnlessFinite(y);
    }
    return trace;
}

double Synthesis::start(const Timbre& timbre) {
    const Amplitudes& amplitudes = timbre.amplitudes;
    const Phases& phases = timbre.phases;
    double y = centreLine;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        if (amplitudes[k] != 0.0 && phases[k] != 0.0) {
            y -= partsOf(amplitudes[k], phases[k]).cosine / verticalScale;
        }
    }
    return y;
}

Curve Synthesis::harmonic(std::size_t k, double amplitude, double phase) const {
    Curve curve{};
    const Parts parts = partsOf(amplitude, phase);
    curve[0] = static_cast<float>(centreLine - parts.cosine / verticalScale);
    const double* sines = sines_.data() + (k - 1) * traceWidth;
    const double* cosines = cosines_.data() + (k - 1) * traceWidth;
    for (std::size_t x = 1; x < curve.size(); ++x) {
        curve[x] = static_cast<float>(
            phase == 0.0
                ? centreLine - amplitude / verticalScale * sines[x - 1]
                : centreLine -
                      (parts.sine * sines[x - 1] + parts.cosine * cosines[x - 1]) / verticalScale);
    }
    return curve;
}

} // namespace scope
