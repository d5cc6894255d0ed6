#pragma once

#include <span>
#include <vector>

namespace audio {

// Samples at one rate brought to another by libsamplerate's band-limited interpolation, so that
// a recording plays at its own pitch on the stream without the aliasing a straight line makes.
std::vector<float> resample(std::span<const float> samples, double from, double to);

} // namespace audio
