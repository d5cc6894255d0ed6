#include "Resynthesis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <span>

namespace audio {
namespace {

constexpr double pi = std::numbers::pi;
using model::harmonicCount;
using model::Moment;

// The fundamental's phase over a stretch of `length` samples: a cubic from one moment's phase
// and pitch to the next's, with the number of whole turns between them that bends it least.
struct CubicPhase {
    double start = 0.0;
    double speed = 0.0; // radians a sample at the start
    double alpha = 0.0;
    double beta = 0.0;

    CubicPhase(const Moment& from, const Moment& to, double rate, double length)
        : start(from.phase), speed(2.0 * pi * from.hz / rate) {
        const double endSpeed = 2.0 * pi * to.hz / rate;
        const double turns = std::round(
            (start + speed * length - to.phase + (endSpeed - speed) * length / 2.0) / (2.0 * pi));
        const double d = to.phase - start - speed * length + 2.0 * pi * turns;
        alpha = 3.0 * d / (length * length) - (endSpeed - speed) / length;
        beta = -2.0 * d / (length * length * length) + (endSpeed - speed) / (length * length);
    }
    [[nodiscard]] double at(double n) const {
        return start + speed * n + (alpha + beta * n) * n * n;
    }
};

// One stretch from `from` to `to` into out[begin, begin + length): harmonic k as
// a_k sin(k theta + p_k), a_k and p_k in a line; each sample's harmonics by multiplying
// phasors, so only the fundamental needs a sine.
void renderStretch(const Moment& from, const Moment& to, const CubicPhase& phase, double scale,
                   std::span<float> out) {
    const auto length = double(out.size());
    std::array<std::complex<double>, harmonicCount> turn{};
    std::array<std::complex<double>, harmonicCount> turnStep{};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double p0 = from.timbre.phases[k] * pi / 180.0;
        const double p1 = p0 + model::wrappedRadians(to.timbre.phases[k] * pi / 180.0 - p0);
        turn[k] = std::polar(1.0, p0);
        turnStep[k] = std::polar(1.0, (p1 - p0) / length);
    }
    for (std::size_t n = 0; n < out.size(); ++n) {
        const double part = double(n) / length;
        const std::complex<double> base = std::polar(1.0, phase.at(double(n)));
        std::complex<double> harmonic = base;
        double sum = 0.0;
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            const double a = from.timbre.amplitudes[k] +
                             (to.timbre.amplitudes[k] - from.timbre.amplitudes[k]) * part;
            sum += a * (harmonic * turn[k]).imag();
            harmonic *= base;
            turn[k] *= turnStep[k];
        }
        out[n] = float(scale * sum);
    }
}

} // namespace

std::vector<float> resynthesis(const model::TimbreOverTime& note, double rate, std::size_t length) {
    std::vector<float> out(length, 0.0F);
    if (note.moments.empty()) {
        return out;
    }
    // The last moment goes on at its pitch for a step while it dies away.
    Moment end = note.moments.back();
    end.seconds += note.stepSeconds;
    end.phase += 2.0 * pi * end.hz * note.stepSeconds;
    std::fill(end.timbre.amplitudes.begin(), end.timbre.amplitudes.end(), 0.0);
    const auto sampleOf = [rate](const Moment& m) {
        return std::size_t(std::lround(m.seconds * rate));
    };
    for (std::size_t i = 0; i < note.moments.size(); ++i) {
        const Moment& from = note.moments[i];
        const Moment& to = i + 1 < note.moments.size() ? note.moments[i + 1] : end;
        const std::size_t begin = std::min(sampleOf(from), length);
        const std::size_t stop = std::min(sampleOf(to), length);
        if (stop > begin) {
            const CubicPhase phase(from, to, rate, double(sampleOf(to) - sampleOf(from)));
            renderStretch(from, to, phase, note.pointAmplitude,
                          std::span(out).subspan(begin, stop - begin));
        }
    }
    return out;
}

namespace {

void fadeEnds(std::vector<float>& samples, double rate) {
    const std::size_t ramp = std::min(samples.size() / 2, std::size_t(rate * 0.005));
    for (std::size_t n = 0; n < ramp; ++n) {
        const auto gain = float(double(n) / double(ramp));
        samples[n] *= gain;
        samples[samples.size() - 1 - n] *= gain;
    }
}

} // namespace

Hearings hearingsOf(const model::TimbreOverTime& note, std::span<const float> samples,
                    double rate) {
    if (note.moments.empty()) {
        return {};
    }
    const auto sampleAt = [&](double seconds) {
        return std::size_t(std::clamp(std::round(seconds * rate), 0.0, double(samples.size())));
    };
    const std::size_t begin = sampleAt(note.moments.front().seconds - 2.0 * note.stepSeconds);
    const std::size_t end = sampleAt(note.moments.back().seconds + 3.0 * note.stepSeconds);
    const std::vector<float> rebuilt = resynthesis(note, rate, end);
    Hearings heard{{samples.begin() + long(begin), samples.begin() + long(end)},
                   {rebuilt.begin() + long(begin), rebuilt.end()},
                   {}};
    heard.residual.resize(heard.recording.size());
    std::transform(heard.recording.begin(), heard.recording.end(), heard.resynthesis.begin(),
                   heard.residual.begin(), std::minus<>());
    for (std::vector<float>* each : {&heard.recording, &heard.resynthesis, &heard.residual}) {
        fadeEnds(*each, rate);
    }
    return heard;
}

} // namespace audio
