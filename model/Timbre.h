#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace model {

// The facts every part of the program shares about a tone's harmonics, said once: how many
// there are and how far an amplitude may go either way (a box, a slider, a bar, a file).
inline constexpr std::size_t harmonicCount = 17;
inline constexpr int amplitudeLimit = 200;

// Harmonic k + 1 at index k.
using Amplitudes = std::array<double, harmonicCount>;
// In degrees: harmonic k sounds as a sin(k x + phase).
using Phases = std::array<double, harmonicCount>;

// What a tone is made of, and the one value that carries it between the editors, the displays,
// the sound, the analysis, the game and the files. A timbre that changes over time is a
// sequence of these.
struct Timbre {
    Amplitudes amplitudes{};
    Phases phases{};

    [[nodiscard]] bool silent() const {
        return std::all_of(amplitudes.begin(), amplitudes.end(), [](double a) { return a == 0.0; });
    }
    [[nodiscard]] bool inSinePhase() const {
        return std::all_of(phases.begin(), phases.end(), [](double p) { return p == 0.0; });
    }
    friend bool operator==(const Timbre&, const Timbre&) = default;
};

} // namespace model
