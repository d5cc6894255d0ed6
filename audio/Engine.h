#pragma once

#include "NoteQueue.h"
#include "SoundSnapshot.h"
#include "Synthesizer.h"
#include "Voices.h"

#include <cstdint>
#include <span>

namespace audio {

// The whole sound, free of any server: the held tone and the voices, told the timbre, the pitch
// and the volume, and the notes from the inbox; blocks of samples out. The keys' and the MIDI
// port's notes start at the next block; a tune's notes start at their own sample, counted on
// this engine's clock from the sample at which the tune's start was taken, so whatever delays
// the thread that sends them ahead does not move them.
class Engine {
public:
    // A note that comes this late (the sound stopped, or its sender fell behind) is left out
    // rather than played in a burst with the others; what ends a note is always taken.
    static constexpr double latestSeconds = 0.1;

    explicit Engine(double sampleRate);

    void set(const SoundSnapshot& snapshot);
    // Everything the inbox holds that is due by the end of the block, each at its sample.
    void render(std::span<float> samples, NoteInbox& inbox);
    // Starts from silence, as after the stream was opened anew; the clock and a tune's place on
    // it run on.
    void restart();

    [[nodiscard]] bool silent() const { return synthesizer_.silent() && voices_.silent(); }
    // Samples rendered since the engine was made.
    [[nodiscard]] std::uint64_t clock() const { return clock_; }
    [[nodiscard]] const Voices& voices() const { return voices_; }

private:
    // The next tune note due before `end`, dropping those of any tune no longer wanted.
    const TuneNote* nextDue(NoteInbox& inbox, std::uint64_t end);
    void renderPart(std::span<float> samples);

    double sampleRate_;
    SoundSnapshot snapshot_;
    Synthesizer synthesizer_;
    Voices voices_;
    std::uint64_t clock_ = 0;
    std::uint32_t tune_ = 0;       // the tune last seen wanted
    std::uint64_t tuneOrigin_ = 0; // the sample at which it was first seen
};

} // namespace audio
