#pragma once

#include "SoundAnalysis.h"

#include <array>
#include <complex>
#include <functional>
#include <span>

// Taking one stretch of a note apart into its harmonics, at a period found beforehand.
namespace analysis {

// The harmonics summed over a note chunk by chunk, each chunk at its own period, so that a
// vibrato does not blur the upper harmonics; and the centre of those periods.
struct Measured {
    std::array<double, harmonicCount> magnitude{};
    std::array<std::complex<double>, harmonicCount> phasors{};
    // A steady note's period folded chunk by chunk, each from its own fundamental's zero, so
    // that a period a hair off does not smear the upper harmonics over seconds.
    std::array<double, periodColumns> period{};
    double chunks = 0.0;
    double centrePeriod = 0.0; // over a Hann window, so that a partial swing weighs little
};

// With roughPeriodAt, a swinging pitch is followed through each chunk; without, it holds period.
Measured measure(std::span<const float> sound, double period,
                 const std::function<double(std::size_t)>& roughPeriodAt);
// Each harmonic's m e^(i phi), for m sin(k w t + phi) with t = 0 at the chunk's first sample,
// through a Hann window; a pitch that glides from `period` at a quarter of the chunk to
// `laterPeriod` at three quarters is followed. Harmonics at or above half the rate are 0.
std::array<std::complex<double>, harmonicCount> harmonicPhasors(std::span<const float> chunk,
                                                                double period, double laterPeriod);
// The loudest harmonic at +-100, the rest in proportion and written as the boxes write them, and
// the period: the measured one where the pitch held, built from the harmonics where it swung.
Harmonics harmonicsFrom(const Measured& measured, double hz, bool swings);
// One period built from the harmonics, from where the fundamental's phase is zero.
std::array<double, periodColumns>
periodOf(const std::array<std::complex<double>, harmonicCount>& phasors, double scale);

} // namespace analysis
