#pragma once

#include <cstddef>
#include <span>
#include <utility>

namespace analysis {

// Where a note loud over [loudFrom, loudTo) begins and ends within [from, to): after the last
// silence before its loud part that another sound precedes, and at the first silence after it
// that another sound follows.
// Silence is 5 ms 40 dB below the loud part's loudest 5 ms: a gap too short for the pitch's
// frames to see still parts two notes, and a note that swells out of nothing or dies away into
// it keeps its quiet ends.
std::pair<std::size_t, std::size_t> withinGaps(std::span<const float> samples, std::size_t from,
                                               std::size_t loudFrom, std::size_t loudTo,
                                               std::size_t to, double rate);

// Walking away from a note's loud part, frame by frame: true once the level, having fallen 12 dB
// below the highest it reached, rises 12 dB again, as a new note's attack does; a note's own
// attack, a swell or a body's slower swing rise less after any dip.
struct NextNote {
    double highest;
    double lowest;
    bool beyond(double level);
};

} // namespace analysis
