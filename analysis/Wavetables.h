#pragma once

#include "SoundAnalysis.h"
#include "SoundFile.h"
#include "editor/History.h"
#include "model/TimbreOverTime.h"

#include <array>
#include <complex>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace analysis {

// A single cycle, or a wavetable's frame, as wavetable synthesizers read them: 32 to 8192
// samples, and at most 512 frames.
inline constexpr std::size_t smallestFrame = 32;
inline constexpr std::size_t largestFrame = 8192;
inline constexpr std::size_t mostFrames = 512;
// Shorter than this a sound holds no note to take apart, but may hold one period of a wave.
inline constexpr double shortestNote = 0.1;

// Why a wavetable cannot be opened, with the numbers that say so.
struct TableFault {
    enum class Kind {
        Silent,
        NotFinite, // held: samples not numbers
        PastFourGigabytes,
        FrameSize,      // claimed: the frame size
        LongerThanData, // claimed: the frame size; held: samples
        DoesNotDivide,  // likewise
        NoFrames,
        TooManyFrames,    // held: frames
        RecipeClaimsMore, // claimed: frames; held: frames
    };
    Kind kind = Kind::Silent;
    std::uint64_t claimed = 0;
    std::uint64_t held = 0;
};

// Periods of a looped wave, each taken apart exactly: a single cycle, or a wavetable's frames.
// A moment a frame, each with its magnitudes in proportion to the table's loudest, or as saved
// where Tonvirta's recipe agrees with the samples; the pitch the rate over the frame size.
struct Table {
    model::TimbreOverTime frames;
    std::size_t frameSize = 0;
    Harmonics first;                  // the first frame's, as a note's would be
    std::vector<editor::Step> recipe; // each frame as saved, where it agrees
    bool recipeSetAside = false;      // one was there, but the samples say otherwise
};

// A sound as periods of a wave: a single cycle, by its shortness or its chunks; a table of
// frames, by its chunks; a table that cannot be read; or nothing, for a sound to find a note in.
using Periods = std::variant<std::monostate, Table, TableFault>;
Periods periodsOf(const Sound& sound);

// Each harmonic's m e^(i phi), for m sin(k x + phi) with x = 0 at the period's first sample:
// the discrete Fourier transform of one period, exact for a wave that repeats it. Harmonics at
// or above half the period's samples are 0.
std::array<std::complex<double>, harmonicCount> cyclePhasors(std::span<const float> period);

} // namespace analysis
