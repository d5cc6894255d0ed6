#pragma once

#include "model/TimbreOverTime.h"

#include <optional>
#include <span>
#include <string>

namespace analysis {

// The note a listener would pick (as `analyse` picks it), from its onset until it falls 60 dB
// below its loudest, the next note starts or the sound ends: a moment every 10 ms, each with the
// pitch there and the 17 harmonics' magnitudes and phases against the fundamental's. Nothing
// where `analyse` finds no note.
std::optional<model::TimbreOverTime> tracksOf(std::span<const float> samples, double rate);

// The tracks as CSV, a moment a row under the header time,pitch,a1,…,a17,p1,…,p17: the
// moment's time in seconds (a frame's index for a wavetable's), its pitch in Hz, the magnitudes,
// the phases in degrees; with a point for the decimal separator whatever the locale.
std::string csvOf(const model::TimbreOverTime& note);

} // namespace analysis
