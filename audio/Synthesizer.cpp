#include "Synthesizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {
namespace {

constexpr double unitsAtHalfScale = 200.0;
// A hair of headroom under full scale, for peaks that fall between the points sampled below.
constexpr double fullScale = 0.99;
constexpr int peakSearchPoints = 4096;
constexpr double maxAmplitude = 200.0;

// Whatever comes in plays as something the menu and the boxes could have chosen: values beyond
// the limits are held at them, and what is not a number counts as 0 (silence, or no pitch).
double within(double value, double low, double high) {
    return std::isnan(value) ? 0.0 : std::clamp(value, low, high);
}

// sin(k theta) for k = 1..17 by the Chebyshev recurrence: one sine and cosine per sample.
template <class Term> void forEachHarmonic(double theta, Term&& term) {
    const double first = std::sin(theta);
    const double twiceCos = 2.0 * std::cos(theta);
    double before = 0.0;
    double now = first;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        term(k, now);
        const double next = twiceCos * now - before;
        before = now;
        now = next;
    }
}

// sin(k theta) and cos(k theta) likewise, by the same recurrence.
template <class Term> void forEachPhasedHarmonic(double theta, Term&& term) {
    const double twiceCos = 2.0 * std::cos(theta);
    double sineBefore = 0.0;
    double sine = std::sin(theta);
    double cosineBefore = 1.0;
    double cosine = twiceCos / 2.0;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        term(k, sine, cosine);
        const double nextSine = twiceCos * sine - sineBefore;
        const double nextCosine = twiceCos * cosine - cosineBefore;
        sineBefore = sine;
        sine = nextSine;
        cosineBefore = cosine;
        cosine = nextCosine;
    }
}

using Levels = std::array<double, harmonicCount>;

bool anyNonZero(const Levels& levels) {
    return std::any_of(levels.begin(), levels.end(), [](double level) { return level != 0.0; });
}

// The largest magnitude of the sum over one period of the fundamental.
double peakOf(const Levels& sines, const Levels& cosines) {
    const bool phased = anyNonZero(cosines);
    double peak = 0.0;
    for (int i = 0; i < peakSearchPoints; ++i) {
        double sum = 0.0;
        const double theta = 2.0 * std::numbers::pi * i / peakSearchPoints;
        if (phased) {
            forEachPhasedHarmonic(theta, [&](std::size_t k, double sine, double cosine) {
                sum += sines[k] * sine + cosines[k] * cosine;
            });
        } else {
            forEachHarmonic(theta, [&](std::size_t k, double sine) { sum += sines[k] * sine; });
        }
        peak = std::max(peak, std::fabs(sum));
    }
    return peak;
}

} // namespace

Synthesizer::Synthesizer(double sampleRate)
    : sampleRate_(sampleRate),
      rampLength_(std::max(1, static_cast<int>(std::lround(rampSeconds * sampleRate)))) {}

void Synthesizer::set(const SoundSnapshot& snapshot) {
    if (snapshot == current_) {
        return;
    }
    current_ = snapshot;
    const double pitch = within(snapshot.pitchHz, 0.0, sampleRate_ / 2.0);
    phaseStep_ = pitch / sampleRate_;

    Levels sines{};
    Levels cosines{};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const bool belowNyquist = static_cast<double>(k + 1) * pitch < sampleRate_ / 2.0;
        const double amplitude =
            belowNyquist ? within(snapshot.amplitudes[k], -maxAmplitude, maxAmplitude) : 0.0;
        const double phase = std::isfinite(snapshot.phases[k]) ? snapshot.phases[k] : 0.0;
        if (phase == 0.0) {
            sines[k] = amplitude;
        } else {
            const double radians = phase * std::numbers::pi / 180.0;
            sines[k] = amplitude * std::cos(radians);
            cosines[k] = amplitude * std::sin(radians);
        }
    }
    double gain = 0.0;
    if (snapshot.on) {
        gain = within(snapshot.volume, 0.0, 1.0) * 0.5 / unitsAtHalfScale;
        const double peak = peakOf(sines, cosines);
        if (peak * gain > fullScale) {
            gain = fullScale / peak;
        }
    }
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        sines[k] *= gain;
        cosines[k] *= gain;
    }
    aimAt(sines, cosines);
}

void Synthesizer::aimAt(const Levels& sines, const Levels& cosines) {
    targets_ = {sines, cosines};
    for (std::size_t part = 0; part < 2; ++part) {
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            increments_[part][k] = (targets_[part][k] - levels_[part][k]) / rampLength_;
        }
    }
    phased_ = anyNonZero(cosines) || anyNonZero(levels_[1]);
    rampLeft_ = rampLength_;
}

bool Synthesizer::silent() const {
    return rampLeft_ == 0 && !anyNonZero(levels_[0]) && !anyNonZero(levels_[1]);
}

void Synthesizer::render(std::span<float> samples) {
    if (silent()) {
        std::fill(samples.begin(), samples.end(), 0.0F);
        return;
    }
    for (float& sample : samples) {
        if (rampLeft_ > 0) {
            --rampLeft_;
            for (std::size_t part = 0; part < 2; ++part) {
                for (std::size_t k = 0; k < harmonicCount; ++k) {
                    levels_[part][k] = rampLeft_ == 0 ? targets_[part][k]
                                                      : levels_[part][k] + increments_[part][k];
                }
            }
            phased_ = phased_ && (rampLeft_ > 0 || anyNonZero(levels_[1]));
        }
        double sum = 0.0;
        const double theta = 2.0 * std::numbers::pi * phase_;
        if (phased_) {
            forEachPhasedHarmonic(theta, [&](std::size_t k, double sine, double cosine) {
                sum += levels_[0][k] * sine + levels_[1][k] * cosine;
            });
        } else {
            forEachHarmonic(theta,
                            [&](std::size_t k, double sine) { sum += levels_[0][k] * sine; });
        }
        sample = static_cast<float>(std::clamp(sum, -1.0, 1.0));
        phase_ += phaseStep_;
        phase_ -= std::floor(phase_);
    }
}

} // namespace audio
