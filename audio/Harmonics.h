#pragma once

#include "SoundSnapshot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

// What the held tone and the played voices share: the limits, the harmonics by recurrence, and
// the peak by which the gain is held under full scale.
namespace audio::harmonics {

inline constexpr double unitsAtHalfScale = model::amplitudeLimit;
// A hair of headroom under full scale, for peaks that fall between the points sampled below.
inline constexpr double fullScale = 0.99;
inline constexpr int peakSearchPoints = 4096;
inline constexpr double maxAmplitude = model::amplitudeLimit;

// Whatever comes in plays as something the menu and the boxes could have chosen: values beyond
// the limits are held at them, and what is not a number counts as 0 (silence, or no pitch).
inline double within(double value, double low, double high) {
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

using Levels = model::Amplitudes;

inline bool anyNonZero(const Levels& levels) {
    return std::any_of(levels.begin(), levels.end(), [](double level) { return level != 0.0; });
}

// The largest magnitude of the sum over one period of the fundamental.
inline double peakOf(const Levels& sines, const Levels& cosines) {
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

// Each harmonic's sine and cosine parts as the snapshot sets them, those from `highestHz` up
// left out, and scaled so that one harmonic at 200 plays at half of full scale times the volume,
// less where the sum's peak would pass full scale; silent when not `sounding`. In sine phase
// every cosine part is exactly 0 and every sine part exactly the amplitude times the gain.
struct Parts {
    Levels sines{};
    Levels cosines{};

    // Harmonic k at an amplitude and a phase in degrees (not a number counts as 0).
    void set(std::size_t k, double amplitude, double degrees) {
        const double phase = std::isfinite(degrees) ? degrees : 0.0;
        if (phase == 0.0) {
            sines[k] = amplitude;
            cosines[k] = 0.0;
        } else {
            const double radians = phase * std::numbers::pi / 180.0;
            sines[k] = amplitude * std::cos(radians);
            cosines[k] = amplitude * std::sin(radians);
        }
    }
    void scale(double gain) {
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            sines[k] *= gain;
            cosines[k] *= gain;
        }
    }
};

// One harmonic at 200 at half of full scale times the volume, less where a sum that peaks at
// `peak` would pass full scale; 0 when not `sounding`.
inline double gainFor(double volume, double peak, bool sounding) {
    if (!sounding) {
        return 0.0;
    }
    const double gain = within(volume, 0.0, 1.0) * 0.5 / unitsAtHalfScale;
    return peak * gain > fullScale ? fullScale / peak : gain;
}

inline Parts partsOf(const SoundSnapshot& snapshot, double pitchHz, double highestHz,
                     bool sounding) {
    Parts parts;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double amplitude =
            static_cast<double>(k + 1) * pitchHz < highestHz
                ? within(snapshot.timbre.amplitudes[k], -maxAmplitude, maxAmplitude)
                : 0.0;
        parts.set(k, amplitude, snapshot.timbre.phases[k]);
    }
    parts.scale(
        gainFor(snapshot.volume, sounding ? peakOf(parts.sines, parts.cosines) : 0.0, sounding));
    return parts;
}

// The harmonics' sine and cosine parts as they sound now, each moving in a straight line to where
// it was last aimed over `seconds`, so that no edit clicks.
class Ramp {
public:
    static constexpr double seconds = 0.015;

    explicit Ramp(double sampleRate)
        : length_(std::max(1, static_cast<int>(std::lround(seconds * sampleRate)))) {}

    void aimAt(const Parts& parts) {
        targets_ = {parts.sines, parts.cosines};
        for (std::size_t part = 0; part < 2; ++part) {
            for (std::size_t k = 0; k < harmonicCount; ++k) {
                increments_[part][k] = (targets_[part][k] - levels_[part][k]) / length_;
            }
        }
        left_ = length_;
    }
    // One sample on; only while moving.
    void step() {
        --left_;
        for (std::size_t part = 0; part < 2; ++part) {
            for (std::size_t k = 0; k < harmonicCount; ++k) {
                levels_[part][k] =
                    left_ == 0 ? targets_[part][k] : levels_[part][k] + increments_[part][k];
            }
        }
    }
    // Where it was aimed, at once: for when nothing sounds that could click.
    void arrive() {
        levels_ = targets_;
        left_ = 0;
    }
    [[nodiscard]] bool moving() const { return left_ > 0; }
    [[nodiscard]] const Levels& sines() const { return levels_[0]; }
    [[nodiscard]] const Levels& cosines() const { return levels_[1]; }

private:
    int length_;
    std::array<Levels, 2> levels_{};
    std::array<Levels, 2> targets_{};
    std::array<Levels, 2> increments_{};
    int left_ = 0;
};

} // namespace audio::harmonics
