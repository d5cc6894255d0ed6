#pragma once

#include "Harmonics.h"
#include "NoteLife.h"
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
// the level the held tone would at that pitch; velocity scales it. Each note lives by the
// envelope (by default it rises over 5 ms, holds, and dies away over 30 ms; a note shorter than
// its rise rises first); while a recorded note is loaded, each lives as that note did, at the
// key's pitch. A 17th note takes the oldest voice, which first dies away over 5 ms, so no note
// clicks. Notes add: a chord is louder than any of its notes, and only a mix that would pass full
// scale is turned down, by a limiter that lets go over 50 ms. An edit of the timbre ramps over
// 15 ms in every voice at once.
class Voices {
public:
    static constexpr std::size_t count = 16;
    // A recorded note's own attack starts from silence over this, so that none clicks.
    static constexpr double attackSeconds = 0.005;
    static constexpr double stealSeconds = 0.005;
    // The recorded release takes over from where the note was over this.
    static constexpr double releaseTurnSeconds = 0.02;
    // How often a voice's harmonics are aimed anew along its life; they glide in between.
    static constexpr int aimSamples = 32;
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
        std::size_t harmonics = 0;      // below half the sample rate
        const NoteLife* life = nullptr; // a recorded note's, or none: the envelope's
        std::uint64_t age = 0;          // samples since the key went down
        double releasedAt = -1.0;       // seconds, when a recorded release began
        Shape from{};                   // where the note was as the release took over
        double releaseScale = 1.0;      // the release's level matched to the note's
        Shape shape{};                  // each harmonic's factor, and its glide a sample
        Shape shapeStep{};
        int untilAim = 0;
    };

    void start(int note, double velocity);
    void release(Voice& voice, double seconds) const;
    // As its key lets it go, once it has risen: its recorded release, or the envelope's.
    void releaseNow(Voice& voice) const;
    [[nodiscard]] double releaseSeconds() const { return current_.envelope.releaseMs / 1000.0; }
    [[nodiscard]] Shape shapeAt(const Voice& voice, double seconds) const;
    // The next stretch of its shape, and whether it has fallen silent for good.
    void aim(Voice& voice) const;
    void keepLife(const std::shared_ptr<const NoteLife>& life);
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
    harmonics::Ramp unit_; // the same for a recorded note, whose magnitudes are the voice's
    // The lives of the loaded note and of those before it that voices still play.
    std::vector<std::shared_ptr<const NoteLife>> lives_;
    double bend_ = 0.0;
    bool pedal_ = false;
    std::uint64_t notesStarted_ = 0;
    double limit_ = 1.0;
    double limitRecovery_;
};

} // namespace audio
