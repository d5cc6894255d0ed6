#pragma once

#include "Target.h"

#include <optional>
#include <string>

namespace scope {

// What the display shows besides the zero line and the sum; all of it off at start.
struct Views {
    bool harmonics = false;       // each sounding harmonic on its own, behind the sum
    bool target = false;          // the shape aimed at, behind the sum, and how close the sum comes
    std::optional<Target> aim;    // set by the last preset clicked or the last drawing
    std::optional<Curve> drawing; // over the sum
    // While the wave game is played: its hidden wave, drawn and measured as the target is
    // whatever the target view says, or nothing at all of any target when the wave is to be heard;
    // and its level and score, shown beside the fit line.
    struct Round {
        std::optional<Target> hidden;
        std::string status;
    };
    std::optional<Round> round;
    // Shown beside the figures while phases are set but only sine phases are drawn and heard.
    std::string phasesSetAside;
};

} // namespace scope
