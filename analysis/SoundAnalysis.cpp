#include "SoundAnalysis.h"

#include "Notes.h"
#include "Pitch.h"
#include "editor/Phases.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// Pitch is tracked on the sound brought down to about this rate: enough for 2 kHz, and cheap.
constexpr double trackingRate = 12000.0;
constexpr double hopSeconds = 0.02;
// A steady pitch this far outside the range is still tracked, to say which side it is on.
constexpr double trackedLowestHz = 20.0;
constexpr double trackedHighestHz = 4000.0;
constexpr double rangeSlack = 1.01;
constexpr double shortestStretchSeconds = 0.1;
// Frames this far below the loudest cannot hold the loudest note, and are not tracked.
constexpr double quietRatio = 0.01;
constexpr double silentRms = 1e-4;
// Harmonics are measured over this many periods at a time, short enough that a vibrato does not
// smear the upper ones; a note is measured over at most this long.
constexpr double chunkPeriods = 8.0;
constexpr double measuredSeconds = 2.0;

double rmsOf(std::span<const float> x) {
    const double power = std::transform_reduce(x.begin(), x.end(), 0.0, std::plus<>(),
                                               [](float v) { return double(v) * v; });
    return x.empty() ? 0.0 : std::sqrt(power / double(x.size()));
}

std::vector<float> decimated(std::span<const float> x, std::size_t factor) {
    std::vector<float> out(x.size() / factor);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = std::accumulate(x.begin() + long(i * factor), x.begin() + long((i + 1) * factor),
                                 0.0F) /
                 float(factor);
    }
    return out;
}

// The pitch and loudness every hop. A frame holds two periods of the lowest pitch taken apart
// and one of the lowest tracked, which is lower, so that a note out of range is still known.
struct Track {
    std::vector<Frame> frames;
    std::size_t hop = 1;    // in samples
    std::size_t length = 0; // of a frame
    std::size_t window = 0; // compared with itself a period later
    double rate = 0.0;
};

Track track(std::span<const float> x, double rate) {
    const int minLag = std::max(2, int(rate / trackedHighestHz));
    const auto window = std::min(std::size_t(std::ceil(rate / lowestHz)), x.size() / 2 - 1);
    const int maxLag =
        std::min(int(std::ceil(rate / trackedLowestHz)), int(x.size()) - int(window) - 1);
    if (x.size() < 4 || maxLag <= minLag) {
        return {};
    }
    const auto length = window + std::size_t(maxLag) + 1;
    const auto hop = std::max<std::size_t>(1, std::size_t(rate * hopSeconds));
    std::vector<Frame> frames;
    for (std::size_t at = 0; at + length <= x.size(); at += hop) {
        frames.push_back({0.0, rmsOf(x.subspan(at, length))});
    }
    const double loudest = std::max_element(frames.begin(), frames.end(), [](auto& a, auto& b) {
                               return a.rms < b.rms;
                           })->rms;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].rms >= silentRms && frames[f].rms >= quietRatio * loudest) {
            const auto period = yinPeriod(x.subspan(f * hop, length), minLag, maxLag);
            frames[f].hz = period ? rate / *period : 0.0;
        }
    }
    return {std::move(frames), hop, length, window, rate};
}

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

// The pitch the voiced frames hold around a sample of the tracked sound, between the two
// nearest; 0 where no frame is voiced. A frame's pitch is that of its window and the period
// after it.
double pitchAt(const Track& tracked, double sample) {
    const auto& frames = tracked.frames;
    const auto centre = [&](std::size_t f) {
        return double(f * tracked.hop) +
               0.5 * (double(tracked.window) + tracked.rate / frames[f].hz);
    };
    std::optional<std::size_t> before;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].hz <= 0.0) {
            continue;
        }
        if (centre(f) > sample) {
            if (!before) {
                return frames[f].hz;
            }
            const double part = (sample - centre(*before)) / (centre(f) - centre(*before));
            return frames[*before].hz + (frames[f].hz - frames[*before].hz) * part;
        }
        before = f;
    }
    return before ? frames[*before].hz : 0.0;
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

// A rough period from the frames is this far from a swinging pitch's at most.
constexpr double roughReach = 0.08;

// With roughPeriodAt, a swinging pitch is followed through each chunk; without, it holds period.
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

// One period built from the harmonics, from where the fundamental's phase is zero.
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

} // namespace

Analysis analyse(std::span<const float> samples, double rate) {
    samples = samples.first(std::min(samples.size(), std::size_t(longestSeconds * rate)));
    const auto factor = std::max<std::size_t>(1, std::size_t(rate / trackingRate));
    const std::vector<float> coarse = decimated(samples, factor);
    const Track tracked = track(coarse, rate / double(factor));
    const std::vector<Frame>& frames = tracked.frames;
    // A note lasts at least a tenth of a second: anything shorter is a click, not a tone.
    if (frames.empty() || double(samples.size()) < shortestStretchSeconds * rate) {
        return {std::nullopt, rmsOf(samples) < silentRms ? Problem::Silent : Problem::TooShort};
    }
    if (std::all_of(frames.begin(), frames.end(), [](auto& f) { return f.rms < silentRms; })) {
        return {std::nullopt, Problem::Silent};
    }
    const double framesPerSecond = rate / double(factor * tracked.hop);
    // A sound shorter than that may still be one note, as a whole.
    const std::size_t shortest = std::min(
        frames.size(), std::size_t(std::ceil(shortestStretchSeconds * framesPerSecond)) + 2);
    const auto note = pickNote(frames, framesPerSecond, shortest, lowestHz, highestHz);
    if (!note) {
        const bool brief = double(samples.size()) < shortestStretchSeconds * rate;
        return {std::nullopt, brief ? Problem::TooShort : Problem::NoSteadyPitch};
    }
    // Back at the full rate, the middle of the note, at most two seconds of it.
    std::size_t begin = note->first * tracked.hop * factor;
    std::size_t end =
        std::min(((note->last - 1) * tracked.hop + tracked.length) * factor, samples.size());
    const auto longest = std::size_t(measuredSeconds * rate);
    if (end - begin > longest) {
        begin += (end - begin - longest) / 2;
        end = begin + longest;
    }
    const std::span sound = samples.subspan(begin, end - begin);
    // A swinging pitch has no one period to refine: its centre is found chunk by chunk below.
    double period = rate / note->hz;
    if (!note->swings) {
        period = refinedPeriod(sound.first(std::min(sound.size(), std::size_t(rate))), period);
    }
    if (double(sound.size()) < 3.0 * period) {
        return {std::nullopt, Problem::TooShort};
    }
    std::function<double(std::size_t)> roughPeriodAt;
    if (note->swings) {
        roughPeriodAt = [&](std::size_t at) {
            const double hz = pitchAt(tracked, double(begin + at) / double(factor));
            return hz > 0.0 ? rate / hz : period;
        };
    }
    const Measured measured = measure(sound, period, roughPeriodAt);
    if (note->swings) {
        period = measured.centrePeriod;
    }
    const double hz = rate / period;
    if (hz > highestHz * rangeSlack || hz < lowestHz / rangeSlack) {
        return {std::nullopt, Problem::OutOfRange, hz};
    }
    Harmonics harmonics;
    harmonics.fundamentalHz = hz;
    const double loudest = *std::max_element(measured.magnitude.begin(), measured.magnitude.end());
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double degrees = std::arg(measured.phasors[k]) * 180.0 / pi;
        const editor::Phased phased = editor::folded(measured.magnitude[k], degrees);
        const double amplitude = std::nearbyint(100.0 * phased.amplitude / loudest);
        harmonics.timbre.amplitudes[k] = amplitude + 0.0; // never -0, which would print as such
        harmonics.timbre.phases[k] = amplitude == 0.0 ? 0.0 : phased.phase;
    }
    if (note->swings) {
        harmonics.period = periodOf(measured.phasors, 100.0 / loudest);
    } else {
        std::transform(measured.period.begin(), measured.period.end(), harmonics.period.begin(),
                       [&](double v) { return 100.0 * v / loudest; });
    }
    return {harmonics, Problem::Silent};
}

std::string noteName(double hz) {
    static constexpr std::array<const char*, 12> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                       "F#", "G",  "G#", "A",  "A#", "B"};
    const long midi = std::lround(12.0 * std::log2(hz / 440.0)) + 69;
    return names[std::size_t(((midi % 12) + 12) % 12)] + std::to_string(midi / 12 - 1);
}

} // namespace analysis
