#pragma once

#include "Timbre.h"

#include <cstddef>
#include <vector>

namespace model {

// A note's timbre at one instant: its pitch, and its harmonics' magnitudes (0 to 100, the note's
// loudest harmonic at its loudest at 100) and phases against the fundamental's, in degrees in
// (-180, 180].
struct Moment {
    double seconds = 0.0; // from the start of the sound
    double hz = 0.0;
    Timbre timbre;
    double phase = 0.0; // the fundamental's own, in radians, so that a rebuilt note keeps time
};

// A note from its onset to its end, a moment every `stepSeconds`.
struct TimbreOverTime {
    std::vector<Moment> moments;
    double stepSeconds = 0.01;
    double pointAmplitude = 0.0; // a sample's amplitude for a magnitude of 1
};

} // namespace model
