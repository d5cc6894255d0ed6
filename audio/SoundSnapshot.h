#pragma once

#include "model/Timbre.h"

namespace audio {

using model::harmonicCount;

// What the sound should be, as the window sees it at one moment.
struct SoundSnapshot {
    model::Timbre timbre; // as drawn and heard
    double pitchHz = 220.0;
    double volume = 0.5; // 0..1
    bool on = false;
    bool playing = false; // notes are played in the timbre: the held tone keeps silent

    friend bool operator==(const SoundSnapshot&, const SoundSnapshot&) = default;
};

} // namespace audio
