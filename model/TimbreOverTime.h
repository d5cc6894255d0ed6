#pragma once

#include "Timbre.h"

#include <cmath>
#include <cstddef>
#include <numbers>
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

// An angle brought into (-pi, pi]: a phase as a moment holds it, or the shortest turn from one
// to the next.
inline double wrappedRadians(double radians) {
    const double r = std::remainder(radians, 2.0 * std::numbers::pi);
    return r <= -std::numbers::pi ? r + 2.0 * std::numbers::pi : r;
}

// A note from its onset to its end, a moment every `stepSeconds`; or a wavetable's frames, a
// moment a frame, each at its index in place of a time.
struct TimbreOverTime {
    std::vector<Moment> moments;
    double stepSeconds = 0.01;
    double pointAmplitude = 0.0; // a sample's amplitude for a magnitude of 1
    bool frames = false;
};

} // namespace model
