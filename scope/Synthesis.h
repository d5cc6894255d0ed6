#pragma once

#include "model/Timbre.h"

#include <array>
#include <cstddef>
#include <vector>

namespace scope {

using model::harmonicCount;
inline constexpr int traceWidth = 512;
inline constexpr double centreLine = 128.0;
// Radians per pixel: one period of the fundamental spans 256 pixels, with 2*pi as written
// in this constant, so the display shows two periods.
inline constexpr double phaseStep = 6.2831852 / 256.0;
// Amplitude units per pixel.
inline constexpr double verticalScale = 1.5;

using model::Amplitudes;
using model::Phases;
using model::Timbre;
// y of the trace at x = 1 .. traceWidth.
using Trace = std::array<double, traceWidth>;
// y of a curve at display columns x = 0 .. traceWidth - 1; NaN where there is nothing to draw.
using Curve = std::array<float, traceWidth>;

// The sum of the harmonics at every pixel column. The sines depend only on the column, so
// they are worked out once; the sums come out bit for bit as when each sine is evaluated
// where it is used, because every product and subtraction is the same and in the same order.
class Synthesis {
public:
    Synthesis();

    // Raises the floating-point run-time error when the sum overflows (only with amplitudes
    // far beyond anything the boxes hold).
    // A harmonic at phase 0 adds exactly what it adds without phases.
    [[nodiscard]] Trace trace(const Timbre& timbre) const;
    // y of the sum at x = 0, where the trace starts: on the zero line unless a phase is set.
    [[nodiscard]] static double start(const Timbre& timbre);
    // One harmonic alone about the zero line: k counts from 1.
    [[nodiscard]] Curve harmonic(std::size_t k, double amplitude, double phase = 0.0) const;

private:
    std::vector<double> sines_;   // sin(k * phaseStep * x), row k - 1, column x - 1
    std::vector<double> cosines_; // cos(k * phaseStep * x), likewise
};

} // namespace scope
