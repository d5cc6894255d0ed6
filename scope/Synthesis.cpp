#include "Synthesis.h"

#include "forms/Conversions.h"
#include "forms/FloatingPoint.h"

namespace scope {

Synthesis::Synthesis() : sines_(harmonicCount * static_cast<std::size_t>(traceWidth)) {
    for (std::size_t k = 1; k <= harmonicCount; ++k) {
        for (int x = 1; x <= traceWidth; ++x) {
            const double t = phaseStep * x;
            sines_[(k - 1) * traceWidth + static_cast<std::size_t>(x - 1)] =
                forms::sine(static_cast<double>(k) * t);
        }
    }
}

Trace Synthesis::trace(const Amplitudes& amplitudes) const {
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
        for (std::size_t x = 0; x < sums.size(); ++x) {
            sums[x] -= amplitude * sines[x];
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

Curve Synthesis::harmonic(std::size_t k, double amplitude) const {
    Curve curve{};
    curve[0] = static_cast<float>(centreLine);
    const double* sines = sines_.data() + (k - 1) * traceWidth;
    for (std::size_t x = 1; x < curve.size(); ++x) {
        curve[x] = static_cast<float>(centreLine - amplitude / verticalScale * sines[x - 1]);
    }
    return curve;
}

} // namespace scope
