#pragma once

#include <optional>
#include <span>

namespace analysis {

// The period of one frame of sound in samples, by YIN (de Cheveigné and Kawahara, 2002): the
// shortest lag between minLag and maxLag whose cumulative-mean-normalised difference dips below
// the threshold, refined between samples. The shortest good lag is the waveform's own period,
// so a weak or missing fundamental still gives the pitch the ear hears, not an octave above.
// The frame must hold at least 2 * maxLag samples; nothing when no lag repeats the frame.
std::optional<double> yinPeriod(std::span<const float> frame, int minLag, int maxLag);

// The period near a rough one, as precisely as a long stretch allows: the lag of several
// periods at which the stretch best repeats itself, divided by their number. With a reach, the
// rough one may be off by that fraction of itself.
double refinedPeriod(std::span<const float> stretch, double rough, double reach = 0.0);

} // namespace analysis
