#pragma once

#include "Harmonics.h"
#include "SoundSnapshot.h"

#include <span>

namespace audio {

// The sum the display shows, as sound: s(t) = sum of a(k-1) * sin(2 pi k f t + phase(k-1)),
// scaled so that one harmonic at amplitude 200 plays at half of full scale times the volume.
// Where the peak of the sum would pass full scale the gain drops just enough that it does not.
// Harmonics at or above half the sample rate are left out. Changes of amplitude, phase and gain
// ramp over 15 ms (a harmonic's sine and cosine parts, each in a straight line) and the
// fundamental's phase runs on through pitch changes, so nothing clicks. In sine phase every
// sample is as it was before phases were heard at all.
class Synthesizer {
public:
    static constexpr double rampSeconds = harmonics::Ramp::seconds;

    explicit Synthesizer(double sampleRate);

    // Takes the snapshot as the new target; the sound moves there from where it is.
    void set(const SoundSnapshot& snapshot);

    // Mono samples within [-1, 1].
    void render(std::span<float> samples);

    // Nothing is sounding and nothing is on its way.
    [[nodiscard]] bool silent() const;

private:
    double sampleRate_;
    SoundSnapshot current_;
    double phase_ = 0.0;     // of the fundamental, in periods
    double phaseStep_ = 0.0; // periods per sample
    harmonics::Ramp ramp_;
    bool phased_ = false; // a cosine part is sounding or on its way
};

} // namespace audio
