#pragma once

#include "Slots.h"

#include <string>
#include <string_view>

namespace editor {

// Each harmonic's phase in whole degrees: harmonic k sounds as a sin(k x + phase). A phase lies in
// (-90, 90], so that the amplitude keeps the sign the boxes have always shown: a sine upside
// down is -100 at 0 degrees, never 100 at 180.
using Phases = model::Phases;

struct Phased {
    double amplitude = 0.0;
    double phase = 0.0;
};

// The same harmonic written with its phase in (-90, 90] and in whole degrees.
Phased folded(double amplitude, double degrees);
// m sin(k x) + n cos(k x) as one phased harmonic.
Phased fromParts(double sinePart, double cosinePart);

[[nodiscard]] bool allZero(const Phases& phases);

// The 17 phases on one line, as the amplitudes are written.
std::string phasesAsText(const Phases& phases);

} // namespace editor
