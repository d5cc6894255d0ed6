#pragma once

#include <array>

namespace audio {

inline constexpr std::size_t harmonicCount = 17;

// What the sound should be, as the window sees it at one moment.
struct SoundSnapshot {
    std::array<double, harmonicCount> amplitudes{}; // of harmonics 1..17, as the boxes hold them
    double pitchHz = 220.0;
    double volume = 0.5; // 0..1
    bool on = false;
    std::array<double, harmonicCount> phases{}; // in degrees: a sin(k x + phase)
    bool playing = false; // notes are played in the timbre: the held tone keeps silent

    friend bool operator==(const SoundSnapshot&, const SoundSnapshot&) = default;
};

} // namespace audio
