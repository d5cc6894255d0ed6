#include "Synthesis.h"

#include "forms/Conversions.h"
#include "forms/FloatingPoint.h"

namespace scope {

Synthesis::Synthesis() : sines_(static_cast<std::size_t>(traceWidth) * harmonicCount) {
    for (int x = 1; x <= traceWidth; ++x) {
        const double t = phaseStep * x;
        for (std::size_t k = 1; k <= harmonicCount; ++k) {
            sines_[static_cast<std::size_t>(x - 1) * harmonicCount + (k - 1)] =
                forms::sine(static_cast<double>(k) * t);
        }
    }
}

Trace Synthesis::trace(const Amplitudes& amplitudes) const {
    Trace trace{};
    forms::clearFloatingPointFaults();
    const double* sines = sines_.data();
    for (double& y : trace) {
        double sum = 0.0;
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            // A zero term leaves the sum exactly as it is, so silent harmonics cost nothing.
            if (amplitudes[k] != 0.0) {
                sum -= amplitudes[k] * sines[k];
            }
        }
        y = sum / verticalScale + centreLine;
        sines += harmonicCount;
    }
    forms::raiseOnFloatingPointFault();
    for (const double y : trace) {
        forms::raiseUnlessFinite(y);
    }
    return trace;
}

} // namespace scope
