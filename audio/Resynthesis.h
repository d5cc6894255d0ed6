#pragma once

#include "model/TimbreOverTime.h"

#include <cstddef>
#include <vector>

namespace audio {

// A note rebuilt from its moments, in time with the sound it was taken from: `length` samples at
// `rate`, silent outside the note. The pitch passes through each moment's pitch and its
// fundamental's phase (McAulay and Quatieri's cubic phase), the magnitudes and the harmonics'
// phases move in a line from one moment to the next, so nothing clicks; after the last moment
// the note dies away over one step.
std::vector<float> resynthesis(const model::TimbreOverTime& note, double rate, std::size_t length);

} // namespace audio
