#pragma once

#include "SoundSnapshot.h"

#include <span>

namespace audio {

// The sum the display shows, as sound: s(t) = sum of a(k-1) * sin(2 pi k f t) for k = 1..17,
// scaled so that one harmonic at amplitude 200 plays at half of full scale times the volume.
// Where the peak of the sum would pass full scale the gain drops just enough that it does not.
// Harmonics at or above half the sample rate are left out. Changes of amplitude and gain ramp
// over 15 ms and the phase runs on through pitch changes, so nothing clicks.
class Synthesizer {
public:
    static constexpr double rampSeconds = 0.015;

    explicit Synthesizer(double sampleRate);

    // Takes the snapshot as the new target; the sound moves there from where it is.
    void set(const SoundSnapshot& snapshot);

    // Mono samples within [-1, 1].
    void render(std::span<float> samples);

    // Nothing is sounding and nothing is on its way.
    [[nodiscard]] bool silent() const;

private:
    void aimAt(const std::array<double, harmonicCount>& levels);

    double sampleRate_;
    int rampLength_;
    SoundSnapshot current_;
    double phase_ = 0.0;                             // of the fundamental, in periods
    double phaseStep_ = 0.0;                         // periods per sample
    std::array<double, harmonicCount> levels_{};     // per harmonic, now
    std::array<double, harmonicCount> targets_{};    // per harmonic, where the ramp ends
    std::array<double, harmonicCount> increments_{}; // per sample while ramping
    int rampLeft_ = 0;
};

} // namespace audio
