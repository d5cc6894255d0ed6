#pragma once

#include "model/Envelope.h"
#include "model/Timbre.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace audio {

using model::harmonicCount;

// The rate of every stream the engine plays.
inline constexpr double streamRate = 48000.0;

// A stretch of recorded or rebuilt sound to hear once, at the stream's rate. A new id starts it
// from its first sample; id 0 is none. Shared, so that handing it over never copies the samples
// and the engine never frees them while the window still holds them.
struct Clip {
    std::shared_ptr<const std::vector<float>> samples;
    std::uint32_t id = 0;

    friend bool operator==(const Clip&, const Clip&) = default;
};

struct NoteLife;

// What the sound should be, as the window sees it at one moment.
struct SoundSnapshot {
    model::Timbre timbre; // as drawn and heard
    double pitchHz = 220.0;
    double volume = 0.5; // 0..1
    bool on = false;
    bool playing = false;       // notes are played in the timbre: the held tone keeps silent
    Clip clip{};                // heard once over the voices, the held tone silent meanwhile
    model::Envelope envelope{}; // how played notes live
    // A recorded note's, while the timbre is what it loaded: played notes live as it did.
    std::shared_ptr<const NoteLife> life{};

    friend bool operator==(const SoundSnapshot&, const SoundSnapshot&) = default;
};

} // namespace audio
