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

// The largest magnitude of the sum over one period of the fundamental.
double peakOf(const std::array<double, harmonicCount>& amplitudes) {
    double peak = 0.0;
    for (int i = 0; i < peakSearchPoints; ++i) {
        double sum = 0.0;
        forEachHarmonic(2.0 * std::numbers::pi * i / peakSearchPoints,
                        [&](std::size_t k, double sine) { sum += amplitudes[k] * sine; });
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

    std::array<double, harmonicCount> audible{};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const bool belowNyquist = static_cast<double>(k + 1) * pitch < sampleRate_ / 2.0;
        audible[k] =
            belowNyquist ? within(snapshot.amplitudes[k], -maxAmplitude, maxAmplitude) : 0.0;
    }
    double gain = 0.0;
    if (snapshot.on) {
        gain = within(snapshot.volume, 0.0, 1.0) * 0.5 / unitsAtHalfScale;
        const double peak = peakOf(audible);
        if (peak * gain > fullScale) {
            gain = fullScale / peak;
        }
    }
    std::array<double, harmonicCount> levels{};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        levels[k] = gain * audible[k];
    }
    aimAt(levels);
}

void Synthesizer::aimAt(const std::array<double, harmonicCount>& levels) {
    targets_ = levels;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        increments_[k] = (targets_[k] - levels_[k]) / rampLength_;
    }
    rampLeft_ = rampLength_;
}

bool Synthesizer::silent() const {
    return rampLeft_ == 0 &&
           std::all_of(levels_.begin(), levels_.end(), [](double level) { return level == 0.0; });
}

void Synthesizer::render(std::span<float> samples) {
    if (silent()) {
        std::fill(samples.begin(), samples.end(), 0.0F);
        return;
    }
    for (float& sample : samples) {
        if (rampLeft_ > 0) {
            --rampLeft_;
            for (std::size_t k = 0; k < harmonicCount; ++k) {
                levels_[k] = rampLeft_ == 0 ? targets_[k] : levels_[k] + increments_[k];
            }
        }
        double sum = 0.0;
        forEachHarmonic(2.0 * std::numbers::pi * phase_,
                        [&](std::size_t k, double sine) { sum += levels_[k] * sine; });
        sample = static_cast<float>(std::clamp(sum, -1.0, 1.0));
        phase_ += phaseStep_;
        phase_ -= std::floor(phase_);
    }
}

} // namespace audio
