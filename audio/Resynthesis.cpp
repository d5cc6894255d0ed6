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

// One harmonic's phase over a stretch of `length` samples: a cubic from its phase and frequency
// at one moment to those at the next, with the number of whole turns between them that bends it
// least (McAulay and Quatieri).
struct CubicPhase {
    double start = 0.0;
    double speed = 0.0; // radians a sample at the start
    double alpha = 0.0;
    double beta = 0.0;

    CubicPhase(double from, double fromSpeed, double to, double toSpeed, double length)
        : start(from), speed(fromSpeed) {
        const double turns = std::round(
            (start + speed * length - to + (toSpeed - speed) * length / 2.0) / (2.0 * pi));
        const double d = to - start - speed * length + 2.0 * pi * turns;
        alpha = 3.0 * d / (length * length) - (toSpeed - speed) / length;
        beta = -2.0 * d / (length * length * length) + (toSpeed - speed) / (length * length);
    }
    [[nodiscard]] double at(double n) const {
        return start + speed * n + (alpha + beta * n) * n * n;
    }
};

// Harmonic k's own phase at a moment, in radians.
double phaseOf(const Moment& moment, std::size_t k) {
    return double(k + 1) * moment.phase + moment.timbre.phases[k] * pi / 180.0;
}

// One stretch from `from` to `to` into out: each harmonic along its own cubic phase, its
// magnitude in a line. Each follows the phase measured for it, not the fundamental's times its
// number: where the fundamental is faint (a beating organ, a bowed note's swell) its phase is
// uncertain, and multiplied by a harmonic's number that uncertainty would be a turn too many.
// A harmonic that starts or stops keeps its speed where it is silent.
void renderStretch(const Moment& from, const Moment& to, double rate, double scale,
                   std::span<float> out) {
    const auto length = double(out.size());
    std::fill(out.begin(), out.end(), 0.0F);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double a0 = from.timbre.amplitudes[k];
        const double a1 = to.timbre.amplitudes[k];
        const double speed0 = 2.0 * pi * double(k + 1) * from.hz / rate;
        const double speed1 = 2.0 * pi * double(k + 1) * to.hz / rate;
        if ((a0 == 0.0 && a1 == 0.0) || std::max(speed0, speed1) >= pi) {
            continue;
        }
        const double average = (speed0 + speed1) / 2.0 * length;
        const double p0 = a0 != 0.0 ? phaseOf(from, k) : phaseOf(to, k) - average;
        const double p1 = a1 != 0.0 ? phaseOf(to, k) : p0 + average;
        const CubicPhase phase(p0, speed0, p1, speed1, length);
        for (std::size_t n = 0; n < out.size(); ++n) {
            const double a = a0 + (a1 - a0) * double(n) / length;
            out[n] += float(scale * a * std::sin(phase.at(double(n))));
        }
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
            // A stretch the sound cuts short keeps the whole stretch's cubic.
            std::vector<float> whole(sampleOf(to) - sampleOf(from));
            renderStretch(from, to, rate, note.pointAmplitude, whole);
            std::copy_n(whole.begin(), stop - begin, out.begin() + long(begin));
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

Hearings hearingsOfFrames(const model::TimbreOverTime& frames, std::span<const float> samples,
                          double rate) {
    Hearings heard{{samples.begin(), samples.end()}, {}, {}};
    const std::size_t size = frames.moments.empty() ? 0 : samples.size() / frames.moments.size();
    std::vector<double> built(size);
    for (const model::Moment& frame : frames.moments) {
        const auto from = samples.subspan(heard.resynthesis.size(), size);
        double across = 0.0;
        double power = 0.0;
        for (std::size_t i = 0; i < size; ++i) {
            const double x = 2.0 * pi * double(i) / double(size) + frame.phase;
            built[i] = 0.0;
            for (std::size_t k = 0; k < harmonicCount; ++k) {
                built[i] += frame.timbre.amplitudes[k] *
                            std::sin(double(k + 1) * x + frame.timbre.phases[k] * pi / 180.0);
            }
            across += built[i] * double(from[i]);
            power += built[i] * built[i];
        }
        // Each frame's own level, as a table's frames each have theirs.
        const double scale = power > 0.0 ? across / power : 0.0;
        for (std::size_t i = 0; i < size; ++i) {
            heard.resynthesis.push_back(float(scale * built[i]));
            heard.residual.push_back(from[i] - heard.resynthesis.back());
        }
    }
    heard.recording.resize(heard.resynthesis.size());
    for (std::vector<float>* each : {&heard.recording, &heard.resynthesis, &heard.residual}) {
        fadeEnds(*each, rate);
    }
    return heard;
}

} // namespace audio
