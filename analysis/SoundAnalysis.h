#pragma once

#include "model/Timbre.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace analysis {

using model::harmonicCount;
inline constexpr std::size_t periodColumns = 256;
// Only the beginning of a long sound is looked at, so a long file answers as fast as a short one.
inline constexpr double longestSeconds = 30.0;
inline constexpr double lowestHz = 30.0;
inline constexpr double highestHz = 2000.0;

// A steady note of a sound, taken apart into the 17 harmonics of its pitch.
struct Harmonics {
    double fundamentalHz = 0.0;
    // Amplitudes: the loudest at +-100, the rest in proportion and rounded to whole numbers as
    // the boxes round; + where a harmonic, with the fundamental's phase taken as zero, is nearer
    // to sine phase than to its opposite. Phases: each harmonic's against the fundamental's, in
    // whole degrees in (-90, 90]; 0 where the amplitude is.
    model::Timbre timbre;
    // One period of the sound itself, averaged over the note, starting where the fundamental's
    // phase is zero, in the amplitudes' units.
    std::array<double, periodColumns> period{};
};

enum class Problem { Silent, NoSteadyPitch, TooShort, OutOfRange };

struct Analysis {
    std::optional<Harmonics> harmonics; // or why there are none
    Problem problem = Problem::Silent;
    double hz = 0.0; // the steady pitch that is out of range
};

// Mono samples at their rate: the note a listener would pick (see pickNote), between 30 Hz and
// 2 kHz, taken apart at exact multiples of its pitch; a vibrato's at its centre, following the
// swing.
Analysis analyse(std::span<const float> samples, double rate);

// The note a listener would pick, whole: from its onset until it falls 60 dB below its loudest,
// the next note starts or the sound ends, in samples; and its pitch, roughly, at any sample.
struct WholeNote {
    std::size_t onset = 0;
    std::size_t end = 0;
    std::function<double(std::size_t)> roughHzAt;
};
std::optional<WholeNote> wholeNote(std::span<const float> samples, double rate);

// The name of the note nearest a frequency, as "G3" (A4 = 440 Hz).
std::string noteName(double hz);

} // namespace analysis
