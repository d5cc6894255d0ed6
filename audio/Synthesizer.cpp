#include "Synthesizer.h"

#include "Harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

using namespace harmonics;

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

    const Parts parts =
        partsOf(snapshot, pitch, sampleRate_ / 2.0, snapshot.on && !snapshot.playing);
    aimAt(parts.sines, parts.cosines);
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
