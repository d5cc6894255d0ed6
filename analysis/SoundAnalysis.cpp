#include "SoundAnalysis.h"

#include "Pitch.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <utility>
#include <vector>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// Pitch is tracked on the sound brought down to about this rate: enough for 2 kHz, and cheap.
constexpr double trackingRate = 12000.0;
constexpr double hopSeconds = 0.02;
constexpr double steadyRatio = 1.01;
constexpr double shortestStretchSeconds = 0.1;
// Frames this far below the loudest cannot hold the loudest note, and are not tracked.
constexpr double quietRatio = 0.01;
constexpr double silentRms = 1e-4;
// Harmonics are measured over this many periods at a time, short enough that a vibrato does not
// smear the upper ones; a note is measured over at most this long.
constexpr double chunkPeriods = 8.0;
constexpr double measuredSeconds = 2.0;

struct Frame {
    double hz = 0.0; // 0 where no pitch holds
    double rms = 0.0;
};

struct Stretch {
    std::size_t begin = 0;
    std::size_t end = 0; // in samples
    double hz = 0.0;
};

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

// The pitch and loudness every hop, over frames long enough for two periods of the lowest pitch.
struct Track {
    std::vector<Frame> frames;
    std::size_t hop = 1;    // in samples
    std::size_t length = 0; // of a frame
};

Track track(std::span<const float> x, double rate) {
    const int minLag = std::max(2, int(rate / highestHz));
    const int maxLag = std::min(int(std::ceil(rate / lowestHz)), int(x.size() / 2) - 1);
    if (maxLag <= minLag) {
        return {};
    }
    const auto length = 2 * std::size_t(maxLag) + 2;
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
    return {std::move(frames), hop, length};
}

// The loudest run of frames of at least 0.1 s whose pitch holds within 1 %, less its first and
// last frame, where an attack or a release may still be.
std::optional<Stretch> steadiest(const std::vector<Frame>& frames, std::size_t hop,
                                 std::size_t frameLength, double rate) {
    // A sound shorter than that may still be one note, as a whole.
    const std::size_t shortest = std::min(
        frames.size(), std::size_t(std::ceil(shortestStretchSeconds * rate / double(hop))) + 2);
    std::optional<Stretch> best;
    double bestRms = 0.0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        double low = frames[i].hz;
        double high = frames[i].hz;
        double rms = 0.0;
        std::size_t j = i;
        for (; j < frames.size() && frames[j].hz > 0.0; ++j) {
            low = std::min(low, frames[j].hz);
            high = std::max(high, frames[j].hz);
            if (high > low * steadyRatio) {
                break;
            }
            rms += frames[j].rms;
        }
        if (frames[i].hz > 0.0 && j - i >= shortest && rms / double(j - i) > bestRms) {
            bestRms = rms / double(j - i);
            const std::size_t trim = j - i > 2 ? 1 : 0;
            std::vector<double> pitches;
            for (std::size_t f = i + trim; f < j - trim; ++f) {
                pitches.push_back(frames[f].hz);
            }
            std::nth_element(pitches.begin(), pitches.begin() + long(pitches.size() / 2),
                             pitches.end());
            best = Stretch{(i + trim) * hop, (j - 1 - trim) * hop + frameLength,
                           pitches[pitches.size() / 2]};
        }
    }
    return best;
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

// Each harmonic's magnitude and phase, the fundamental's phase taken as zero, over one chunk,
// through a Hann window so that a chunk of not quite whole periods does not leak.
// Each harmonic's m e^(i phi), for m sin(k w t + phi) with t = 0 at the first sample, through a
// Hann window so that a stretch of not quite whole periods does not leak. The phasors turn by
// multiplication: no sine or cosine a sample.
std::array<std::complex<double>, harmonicCount> rawHarmonics(std::span<const float> x,
                                                             double period, std::size_t count) {
    std::array<std::complex<double>, harmonicCount> sums{};
    const std::complex<double> step = std::polar(1.0, -2.0 * pi / period);
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
        windowTurn *= windowStep;
    }
    for (auto& sum : sums) { // i * C / (sum of weights / 2) is m e^(i phi)
        sum *= std::complex(0.0, 2.0 / weights);
    }
    return sums;
}

// The harmonics below half the sample rate, over one chunk, the fundamental's phase as zero.
std::array<std::complex<double>, harmonicCount> harmonicsOf(std::span<const float> chunk,
                                                            double period) {
    const auto below = std::size_t(std::ceil(period / 2.0)) - 1; // k / period < 1 / 2
    return inSinePhase(rawHarmonics(chunk, period, std::min(harmonicCount, below)));
}

} // namespace

Analysis analyse(std::span<const float> samples, double rate) {
    samples = samples.first(std::min(samples.size(), std::size_t(longestSeconds * rate)));
    const auto factor = std::max<std::size_t>(1, std::size_t(rate / trackingRate));
    const std::vector<float> coarse = decimated(samples, factor);
    const auto [frames, hop, frameLength] = track(coarse, rate / double(factor));
    if (frames.empty()) {
        return {std::nullopt, rmsOf(samples) < silentRms ? Problem::Silent : Problem::TooShort};
    }
    if (std::all_of(frames.begin(), frames.end(), [](auto& f) { return f.rms < silentRms; })) {
        return {std::nullopt, Problem::Silent};
    }
    const auto stretch = steadiest(frames, hop, frameLength, rate / double(factor));
    if (!stretch) {
        const bool brief = double(samples.size()) < shortestStretchSeconds * rate;
        return {std::nullopt, brief ? Problem::TooShort : Problem::NoSteadyPitch};
    }
    // Back at the full rate, the middle of the note, at most two seconds of it.
    std::size_t begin = stretch->begin * factor;
    std::size_t end = std::min(stretch->end * factor, samples.size());
    const auto longest = std::size_t(measuredSeconds * rate);
    if (end - begin > longest) {
        begin += (end - begin - longest) / 2;
        end = begin + longest;
    }
    const std::span note = samples.subspan(begin, end - begin);
    const double period =
        refinedPeriod(note.first(std::min(note.size(), std::size_t(rate))), rate / stretch->hz);
    if (rate / period > highestHz * steadyRatio || rate / period < lowestHz / steadyRatio) {
        return {std::nullopt, Problem::NoSteadyPitch}; // out of range, once known precisely
    }
    if (double(note.size()) < 3.0 * period) {
        return {std::nullopt, Problem::TooShort};
    }
    // Chunk by chunk, each at its own period, so that a vibrato does not blur the upper harmonics.
    const auto chunkLength = std::min(note.size(), std::size_t(chunkPeriods * period));
    std::array<double, harmonicCount> magnitude{};
    std::array<double, harmonicCount> inPhase{};
    double chunks = 0.0;
    for (std::size_t at = 0; at + chunkLength <= note.size(); at += chunkLength / 2) {
        const std::span chunk = note.subspan(at, chunkLength);
        const auto found = harmonicsOf(chunk, refinedPeriod(chunk, period));
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            magnitude[k] += std::abs(found[k]);
            inPhase[k] += found[k].real(); // m e^(i psi): psi = 0 for a sine
        }
        chunks += 1.0;
    }
    Harmonics harmonics;
    harmonics.fundamentalHz = rate / period;
    const double loudest = *std::max_element(magnitude.begin(), magnitude.end());
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double sign = inPhase[k] < 0.0 ? -1.0 : 1.0;
        harmonics.amplitudes[k] = int(std::nearbyint(100.0 * sign * magnitude[k] / loudest));
    }
    // The period itself, folded over the note from where the fundamental's phase is zero.
    const double phase = std::arg(rawHarmonics(note, period, 1)[0]);
    const double start = std::fmod(period * (1.0 - phase / (2.0 * pi)), period);
    const double scale = 100.0 * chunks / loudest;
    for (std::size_t c = 0; c < periodColumns; ++c) {
        double sum = 0.0;
        int count = 0;
        for (double at = start + period * double(c) / periodColumns; at + 1.0 < double(note.size());
             at += period) {
            const auto i = std::size_t(at);
            sum += note[i] + (note[i + 1] - note[i]) * (at - double(i));
            ++count;
        }
        harmonics.period[c] = count > 0 ? scale * sum / count : 0.0;
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
