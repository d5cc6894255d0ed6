#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace model {

// How a played note of a built timbre lives: it rises over the attack, falls over the decay
// toward the sustain level (each harmonic k in the first's decay time over k to the brightness
// power, so that a bright note mellows as it dies), holds there while its key is down, and dies
// away over the release once it is let go. The defaults are how notes have always played.
struct Envelope {
    double attackMs = 5.0;
    double decayMs = 0.0; // to within 60 dB of the sustain level
    double sustainPercent = 100.0;
    double releaseMs = 30.0;
    double brightness = 0.0;

    friend bool operator==(const Envelope&, const Envelope&) = default;
};

// Each setting's range, in the order written: attack and release never so short that they
// click.
struct EnvelopeRange {
    double low;
    double high;
};
inline constexpr std::size_t envelopeSettings = 5;
inline constexpr std::array<EnvelopeRange, envelopeSettings> envelopeRanges{
    {{1.0, 5000.0}, {0.0, 10000.0}, {0.0, 100.0}, {5.0, 10000.0}, {0.0, 2.0}}};

inline std::array<double, envelopeSettings> settingsOf(const Envelope& e) {
    return {e.attackMs, e.decayMs, e.sustainPercent, e.releaseMs, e.brightness};
}

// Values past a range are held at it, and what is not a number takes the default.
inline Envelope envelopeOf(const std::array<double, envelopeSettings>& settings) {
    const std::array<double, envelopeSettings> defaults = settingsOf(Envelope{});
    std::array<double, envelopeSettings> held{};
    for (std::size_t i = 0; i < envelopeSettings; ++i) {
        held[i] = std::isnan(settings[i])
                      ? defaults[i]
                      : std::clamp(settings[i], envelopeRanges[i].low, envelopeRanges[i].high);
    }
    return {held[0], held[1], held[2], held[3], held[4]};
}

} // namespace model
