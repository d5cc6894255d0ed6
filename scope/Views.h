#pragma once

#include "Target.h"

#include <optional>

namespace scope {

// What the display shows besides the zero line and the sum; all of it off at start.
struct Views {
    bool harmonics = false;       // each sounding harmonic on its own, behind the sum
    bool target = false;          // the shape aimed at, behind the sum, and how close the sum comes
    std::optional<Target> aim;    // set by the last preset clicked or the last drawing
    std::optional<Curve> drawing; // over the sum
    std::optional<Target> hidden; // the game's wave: drawn and measured as the target, while set
};

} // namespace scope
