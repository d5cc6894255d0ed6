#pragma once

#include "model/TimbreOverTime.h"

#include <cstddef>
#include <span>
#include <vector>

namespace audio {

// A note rebuilt from its moments, in time with the sound it was taken from: `length` samples at
// `rate`, silent outside the note. The pitch passes through each moment's pitch and its
// fundamental's phase (McAulay and Quatieri's cubic phase), the magnitudes and the harmonics'
// phases move in a line from one moment to the next, so nothing clicks; after the last moment
// the note dies away over one step.
std::vector<float> resynthesis(const model::TimbreOverTime& note, double rate, std::size_t length);

// The note three ways, over its own stretch of the sound (from two steps before its first
// moment to three after its last), each faded in and out over 5 ms so that none clicks: as
// recorded, as rebuilt from its moments, and the recording less the rebuilt note, which is what
// is not harmonics: breath, bow, hammer, noise.
struct Hearings {
    std::vector<float> recording;
    std::vector<float> resynthesis;
    std::vector<float> residual;
};
Hearings hearingsOf(const model::TimbreOverTime& note, std::span<const float> samples, double rate);
// A wavetable's frames three ways: each frame as the file holds it, as its 17 harmonics build
// it at the file's level, and what is left, which is the harmonics above the 17th.
Hearings hearingsOfFrames(const model::TimbreOverTime& frames, std::span<const float> samples,
                          double rate);

} // namespace audio
