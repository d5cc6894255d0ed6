#pragma once

#include "model/Envelope.h"
#include "model/TimbreOverTime.h"

#include <cstddef>
#include <memory>

namespace audio {

using Shape = model::Amplitudes;

// How a played note's harmonics change over its life, each as a factor of its amplitude, for
// a built timbre: 1 while it rises (the rise itself is the voice's), then each falls toward the
// sustain level, harmonic k in the decay time over k to the brightness power.
Shape shapeOf(const model::Envelope& envelope, double seconds);

// A recorded note as the voices play it: its moments from onset to end, split where its key
// was let go, and what to do while a key is held longer than the recording was. A note whose
// level holds after its loudest moment (a wind, a bowed string, an organ) loops a steady stretch,
// crossfaded into itself so that it has no seam; one that dies away (a piano, a plucked string)
// goes on dying, each harmonic at its own rate as it did at the end.
struct NoteLife {
    std::shared_ptr<const model::TimbreOverTime> note;
    std::size_t loudest = 0;
    std::size_t risen = 0;        // where its attack ends
    std::size_t releaseStart = 0; // the first moment of the recorded release, or the count
    std::size_t loopStart = 0;    // moments [loopStart, loopEnd) loop; none when equal
    std::size_t loopEnd = 0;
    std::size_t crossfade = 0; // moments over which the loop's end turns into its start
    Shape fallDbPerSecond{};   // past the recording's end, for a note that dies away

    [[nodiscard]] bool sustains() const { return loopEnd > loopStart; }
    [[nodiscard]] bool recordedRelease() const { return releaseStart + 1 < note->moments.size(); }
    [[nodiscard]] double seconds(double moments) const { return moments * note->stepSeconds; }
};

// Nothing for a wavetable's frames or a note too short to have a life.
std::shared_ptr<const NoteLife> lifeOf(std::shared_ptr<const model::TimbreOverTime> note);

// Each harmonic's magnitude, in the boxes' units, `seconds` after the key went down while it is
// held (or the pedal holds it).
Shape heldAt(const NoteLife& life, double seconds);
// The same `seconds` into the recorded release, and whether it is over.
Shape releasedAt(const NoteLife& life, double seconds);
[[nodiscard]] bool releaseOver(const NoteLife& life, double seconds);

// The level of a shape, as the root of the sum of its squares.
double levelOf(const Shape& shape);

} // namespace audio
