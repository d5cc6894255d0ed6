#include "Synthesizer.h"

#include "Harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

using namespace harmonics;

Synthesizer::Synthesizer(double sampleRate) : sampleRate_(sampleRate), ramp_(sampleRate) {}

void Synthesizer::set(const SoundSnapshot& snapshot) {
    if (snapshot == current_) {
        return;
    }
    current_ = snapshot;
    const double pitch = within(snapshot.pitchHz, 0.0, sampleRate_ / 2.0);
    phaseStep_ = pitch / sampleRate_;

    const Parts parts =
        partsOf(snapshot, pitch, sampleRate_ / 2.0, snapshot.on && !snapshot.playing);
    phased_ = anyNonZero(parts.cosines) || anyNonZero(ramp_.cosines());
    ramp_.aimAt(parts);
}

bool Synthesizer::silent() const {
    return !ramp_.moving() && !anyNonZero(ramp_.sines()) && !anyNonZero(ramp_.cosines());
}

void Synthesizer::render(std::span<float> samples) {
    if (silent()) {
        std::fill(samples.begin(), samples.end(), 0.0F);
        return;
    }
    for (float& sample : samples) {
        if (ramp_.moving()) {
            ramp_.step();
            phased_ = phased_ && (ramp_.moving() || anyNonZero(ramp_.cosines()));
        }
        double sum = 0.0;
        const double theta = 2.0 * std::numbers::pi * phase_;
        const Levels& sines = ramp_.sines();
        const Levels& cosines = ramp_.cosines();
        if (phased_) {
            forEachPhasedHarmonic(theta, [&](std::size_t k, double sine, double cosine) {
                sum += sines[k] * sine + cosines[k] * cosine;
            });
        } else {
            forEachHarmonic(theta, [&](std::size_t k, double sine) { sum += sines[k] * sine; });
        }
        sample = static_cast<float>(std::clamp(sum, -1.0, 1.0));
        phase_ += phaseStep_;
        phase_ -= std::floor(phase_);
    }
}

} // namespace audio
