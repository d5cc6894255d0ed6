#pragma once

#include "model/Envelope.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace largeview {

// The envelope's settings as its picture and its keys take them, in the order they are written.
enum class Setting : std::uint8_t { Attack, Decay, Sustain, Release, Brightness };

// The setting moved `steps` along its scale: times through rounded values that grow with them
// (1, 2, 5, 10, 20, 30, 50 ms and so on), the sustain level by 1 %, the brightness by 0.1.
double stepped(Setting setting, double value, int steps);
model::Envelope with(model::Envelope envelope, Setting setting, double value);

// Where the picture puts things, in fractions of its width and height from its top left.
struct Point {
    double x;
    double y;
};
// The peak, the end of the decay at the sustain level, where the key is let go, the silence,
// and on the fifth harmonic's decay (drawn beside the first's) the brightness.
struct EnvelopePoints {
    Point peak, sustain, letGo, end, brightness;
    [[nodiscard]] Point of(Setting setting) const;
};
EnvelopePoints pointsOf(const model::Envelope& envelope);
// Harmonic k's level a fraction of the way through the decay time.
double harmonicAt(const model::Envelope& envelope, int k, double fraction);
// The setting a point dragged to `at` gives, its other settings as they are.
double settingAt(const model::Envelope& envelope, Setting setting, Point at);

} // namespace largeview
