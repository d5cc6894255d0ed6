#include "Measure.h"

#include "Pitch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// Harmonics are measured over this many periods at a time, short enough that a vibrato does not
// smear the upper ones.
constexpr double chunkPeriods = 8.0;

// Shifted in time so that the fundamental's phase is zero. Without a fundamental the lowest
// harmonic of note sets the time, up to a whole period of it: the shift that puts the most of
// the sound in sine phase.
std::array<std::complex<double>, harmonicCount>
inSinePhase(const std::array<std::complex<double>, harmonicCount>& raw) {
    double loudest = 0.0;
    for (const auto& harmonic : raw) {
        loudest = std::max(loudest, std::abs(harmonic));
    }
    std::size_t lowest = 0;
    while (lowest + 1 < harmonicCount && std::abs(raw[lowest]) < 0.1 * loudest &&
           !(lowest == 0 && std::abs(raw[0]) >= 0.005 * loudest)) {
        ++lowest;
    }
    std::array<std::complex<double>, harmonicCount> best{};
    double bestInPhase = -1e300;
    const auto r = double(lowest + 1);
    for (std::size_t j = 0; j <= lowest; ++j) {
        const double shift = -(std::arg(raw[lowest]) + 2.0 * pi * double(j)) / r;
        std::array<std::complex<double>, harmonicCount> shifted{};
        double inPhase = 0.0;
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            shifted[k] = raw[k] * std::polar(1.0, shift * double(k + 1));
            inPhase += shifted[k].real();
        }
        if (inPhase > bestInPhase) {
            bestInPhase = inPhase;
            best = shifted;
        }
    }
    return best;
}

// Each harmonic's m e^(i phi), for m sin(k w t + phi) with t = 0 at the first sample, through a
// Hann window so that a stretch of not quite whole periods does not leak. A pitch that moves
// (a vibrato's swing) is followed as a glide from the period at a quarter of the stretch to the
// one at three quarters. The phasors turn by multiplication: no sine or cosine a sample.
std::array<std::complex<double>, harmonicCount>
rawHarmonics(std::span<const float> x, double period, std::size_t count, double laterPeriod = 0) {
    std::array<std::complex<double>, harmonicCount> sums{};
    const double early = 2.0 * pi / period;
    const double late = laterPeriod > 0.0 ? 2.0 * pi / laterPeriod : early;
    const double glide = (late - early) / (0.5 * double(x.size()));
    std::complex<double> step = std::polar(1.0, -(early - 0.25 * double(x.size()) * glide));
    const std::complex<double> stepTurn = std::polar(1.0, -glide);
    const std::complex<double> windowStep = std::polar(1.0, 2.0 * pi / double(x.size()));
    std::complex<double> turn = 1.0;
    std::complex<double> windowTurn = 1.0;
    double weights = 0.0;
    for (const float sample : x) {
        const double w = 0.5 - 0.5 * windowTurn.real();
        weights += w;
        std::complex<double> phasor = w * double(sample) * turn;
        for (std::size_t k = 0; k < count; ++k) {
            sums[k] += phasor;
            phasor *= turn;
        }
        turn *= step;
        step *= stepTurn;
        windowTurn *= windowStep;
    }
    for (auto& sum : sums) { // i * C / (sum of weights / 2) is m e^(i phi)
        sum *= std::complex(0.0, 2.0 / weights);
    }
    return sums;
}

// The harmonics below half the sample rate, over one chunk, the fundamental's phase as zero.
std::array<std::complex<double>, harmonicCount> harmonicsOf(std::span<const float> chunk,
                                                            double period, double laterPeriod = 0) {
    const auto below =
        std::size_t(std::ceil(std::min(period, laterPeriod > 0 ? laterPeriod : period) / 2.0)) -
        1; // k / period < 1 / 2
    return inSinePhase(rawHarmonics(chunk, period, std::min(harmonicCount, below), laterPeriod));
}

// The period itself, folded over a stretch from where the fundamental's phase is zero.
std::array<double, periodColumns> folded(std::span<const float> note, double period, double scale) {
    std::array<double, periodColumns> out{};
    const double phase = std::arg(rawHarmonics(note, period, 1)[0]);
    const double start = std::fmod(period * (1.0 - phase / (2.0 * pi)), period);
    for (std::size_t c = 0; c < periodColumns; ++c) {
        double sum = 0.0;
        int count = 0;
        for (double at = start + period * double(c) / periodColumns; at + 1.0 < double(note.size());
             at += period) {
            const auto i = std::size_t(at);
            sum += note[i] + (note[i + 1] - note[i]) * (at - double(i));
            ++count;
        }
        out[c] = count > 0 ? scale * sum / count : 0.0;
    }
    return out;
}

// A rough period from the frames is this far from a swinging pitch's at most.
constexpr double roughReach = 0.08;

} // namespace

Measured measure(std::span<const float> sound, double period,
                 const std::function<double(std::size_t)>& roughPeriodAt) {
    const auto chunkLength = std::min(sound.size(), std::size_t(chunkPeriods * period));
    const std::size_t step = std::max<std::size_t>(1, chunkLength / 2);
    const std::size_t count = (sound.size() - chunkLength) / step + 1;
    Measured measured;
    double logPeriods = 0.0;
    double weights = 0.0;
    for (std::size_t c = 0; c < count; ++c) {
        const std::span chunk = sound.subspan(c * step, chunkLength);
        double own = period;
        std::array<std::complex<double>, harmonicCount> found{};
        if (roughPeriodAt) {
            const std::size_t half = chunkLength / 2;
            const double early =
                refinedPeriod(chunk.first(half), roughPeriodAt(c * step + half / 2), roughReach);
            const double late = refinedPeriod(
                chunk.subspan(half), roughPeriodAt(c * step + half + half / 2), roughReach);
            own = std::sqrt(early * late);
            found = harmonicsOf(chunk, early, late);
        } else {
            own = refinedPeriod(chunk, period);
            found = harmonicsOf(chunk, own);
            const auto fold = folded(chunk, own, 1.0);
            std::transform(fold.begin(), fold.end(), measured.period.begin(),
                           measured.period.begin(), std::plus<>());
        }
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            measured.magnitude[k] += std::abs(found[k]);
            measured.phasors[k] += found[k];
        }
        const double w = std::pow(std::sin(pi * (double(c) + 0.5) / double(count)), 2.0);
        logPeriods += w * std::log(own);
        weights += w;
    }
    measured.chunks = double(count);
    measured.centrePeriod = std::exp(logPeriods / weights);
    return measured;
}

std::array<std::complex<double>, harmonicCount> harmonicPhasors(std::span<const float> chunk,
                                                                double period, double laterPeriod) {
    const auto below = std::size_t(std::ceil(std::min(period, laterPeriod) / 2.0)) - 1;
    return rawHarmonics(chunk, period, std::min(harmonicCount, below), laterPeriod);
}

std::array<double, periodColumns>
periodOf(const std::array<std::complex<double>, harmonicCount>& phasors, double scale) {
    std::array<double, periodColumns> out{};
    for (std::size_t c = 0; c < periodColumns; ++c) {
        const double x = 2.0 * pi * double(c) / double(periodColumns);
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            out[c] += scale * std::imag(phasors[k] * std::polar(1.0, double(k + 1) * x));
        }
    }
    return out;
}

} // namespace analysis
