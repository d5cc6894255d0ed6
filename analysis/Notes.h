#pragma once

#include <optional>
#include <span>

namespace analysis {

// The pitch and loudness of a sound every hop; hz is 0 where no pitch holds.
struct Frame {
    double hz = 0.0;
    double rms = 0.0;
};

// Where a note is measured, in frames [first, last), and whether its pitch swings about its
// centre (a vibrato) or holds.
struct Note {
    std::size_t first = 0;
    std::size_t last = 0;
    double hz = 0.0; // the middle frame's pitch, a rough one
    bool swings = false;
};

// The note a listener would pick, as the loud part of the steadiest note: a note is a run of
// frames whose pitch holds, or swings by at most about a semitone about a centre that holds, for
// at least shortestFrames; of the notes within 3 dB of the loudest, the longest; of that note, the
// part within 3 dB of its loudest, so a held note's sustain or a decaying note's start. Notes
// between lowHz and highHz are preferred; outside only when there is no other.
std::optional<Note> pickNote(std::span<const Frame> frames, double framesPerSecond,
                             std::size_t shortestFrames, double lowHz, double highHz);

} // namespace analysis
