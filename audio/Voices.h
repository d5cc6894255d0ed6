#pragma once

#include "Harmonics.h"
#include "NoteQueue.h"
#include "SoundSnapshot.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace audio {

// Notes played in the timbre the window builds: up to 16 at once, each the sum of the 17
// harmonics (amplitudes and phases) at its note's frequency in equal temperament (A4 = 440 Hz),
// harmonics at or above half the sample rate left out. A voice at full velocity sounds at half
// the level the held tone would at that pitch; velocity scales it. Each note rises over 5 ms and
// dies away over 30 ms (a note shorter than its rise rises first), and a 17th note takes the
// oldest voice, which first dies away over 5 ms, so no note clicks. Notes add: a chord is louder
// than any of its notes, and only a mix that would pass full scale is turned down, by a limiter
// that lets go over 50 ms. An edit of the timbre ramps over 15 ms in every voice at once.
class Voices {
public:
    static constexpr std::size_t count = 16;
    static constexpr double attackSeconds = 0.005;
    static constexpr double releaseSeconds = 0.03;
    static constexpr double stealSeconds = 0.005;
    // Sixteen voices add, by power, to four times one: at half a held tone's level each, a full
    // chord of ordinary notes, whose peaks fall at different moments, mostly stays under full
    // scale, and the limiter takes the rest.
    static constexpr double voiceGain = 0.5;
    static constexpr double limiterReleaseSeconds = 0.05;

    explicit Voices(double sampleRate);

    // The amplitudes, phases, volume and whether sound is on; the pitch is each note's own.
    void set(const SoundSnapshot& snapshot);
    void handle(const NoteEvent& event);
    // Adds the voices into the samples, which the caller has filled (with silence, or the
    // fading held tone).
    void renderAdding(std::span<float> samples);

    // Voices sounding, dying away included.
    [[nodiscard]] std::size_t sounding() const;
    [[nodiscard]] bool silent() const { return sounding() == 0; }

    [[nodiscard]] static double frequencyOf(double note);

private:
public:
    // A voice's life. A note starts rising (Starting) and stays at its full level while its key
    // is down (Held) or the pedal holds it (Sustained); its key coming up sends it dying away
    // (Releasing) and then Free. A key let go before its note has risen lets it rise first
    // (ReleasingOnceRisen), so that a note shorter than a block of sound is still heard.
    enum class Stage : std::uint8_t {
        Free,
        Starting,
        Held,
        Sustained,
        ReleasingOnceRisen,
        Releasing
    };
    // The stages of the voices that sound, in slot order, for the tests and the benches.
    [[nodiscard]] std::vector<Stage> stages() const;

private:
    struct Voice {
        Stage stage = Stage::Free;
        int note = 0;
        double velocity = 0.0;
        double level = 0.0; // the envelope, 0..1
        double levelStep = 0.0;
        std::uint64_t started = 0;
        double phase = 0.0; // of its fundamental, in periods
        double phaseStep = 0.0;
        std::size_t harmonics = 0; // below half the sample rate
    };

    void start(int note, double velocity);
    void release(Voice& voice, double seconds) const;
    // As a key coming up, or the pedal, releases it.
    void letGo(Voice& voice) const;
    // One sample further along its envelope.
    void advance(Voice& voice) const;
    void tune(Voice& voice) const;
    // Full scale is never passed: the gain falls at once to what a peak needs, and comes back.
    float limited(double sample);

    double sampleRate_;
    SoundSnapshot current_;
    std::array<Voice, 2 * count> voices_{}; // room for the dying beside the sounding
    harmonics::Ramp timbre_;                // the sine and cosine parts, with the gain
    double bend_ = 0.0;
    bool pedal_ = false;
    std::uint64_t notesStarted_ = 0;
    double limit_ = 1.0;
    double limitRecovery_;
};

} // namespace audio
