#pragma once

#include "NoteQueue.h"
#include "SoundSnapshot.h"
#include "Synthesizer.h"
#include "Voices.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace audio {

// The whole sound, free of any server: the held tone and the voices, told the timbre, the pitch
// and the volume, and the notes from the inbox; blocks of samples out. Every note starts and
// ends at its own sample. A key's or the MIDI port's note is stamped as it comes: those that came
// while the block before played are spread over this one as they came, one block later, so that
// a trill keeps its rhythm whatever the size of the server's blocks. A tune's notes are counted
// on this engine's clock from the sample at which the tune's start was taken, so whatever delays
// the thread that sends them ahead does not move them. A clip starts at the first block after
// it is seen, over the voices, and the held tone keeps silent until it ends.
class Engine {
public:
    // A note that comes this late (the sound stopped, or its sender fell behind) is left out
    // rather than played in a burst with the others; what ends a note is always taken.
    static constexpr double latestSeconds = 0.1;

    explicit Engine(double sampleRate);

    void set(const SoundSnapshot& snapshot);
    // Everything the inbox holds that is due by the end of the block, each at its sample; `nowNs`
    // is when the block is asked for, on the clock the notes are stamped with.
    void render(std::span<float> samples, NoteInbox& inbox, std::int64_t nowNs);
    // Starts from silence, as after the stream was opened anew; the clock and a tune's place on
    // it run on.
    void restart();

    [[nodiscard]] bool silent() const {
        return synthesizer_.silent() && voices_.silent() && !clipSounding();
    }
    // Samples rendered since the engine was made.
    [[nodiscard]] std::uint64_t clock() const { return clock_; }
    [[nodiscard]] const Voices& voices() const { return voices_; }

private:
    struct Block {
        std::uint64_t start = 0; // on this engine's clock
        std::size_t size = 0;
        std::int64_t startNs = 0; // when a stamped note that falls on its first sample came
        std::int64_t nowNs = 0;
    };
    struct Due {
        enum class Source : std::uint8_t { Tune, Window, Midi };
        std::size_t offset = 0;
        Source source = Source::Tune;
    };
    static constexpr std::size_t none = SIZE_MAX;

    [[nodiscard]] double sampleOf(const TuneNote& note) const;
    // Where in the block the tune's next note falls, dropping those of any tune no longer wanted.
    std::size_t tuneOffset(NoteInbox& inbox, const Block& block);
    [[nodiscard]] std::size_t stampedOffset(const StampedNote* note, const Block& block) const;
    // The earliest note due in the block, from whichever inbox holds it.
    std::optional<Due> nextDue(NoteInbox& inbox, const Block& block);
    void take(NoteInbox& inbox, Due::Source source);
    void renderPart(std::span<float> samples);
    [[nodiscard]] bool clipSounding() const;
    void addClip(std::span<float> samples);

    double sampleRate_;
    SoundSnapshot snapshot_;
    Synthesizer synthesizer_;
    Voices voices_;
    std::uint64_t clock_ = 0;
    std::uint32_t tune_ = 0;       // the tune last seen wanted
    std::uint64_t tuneOrigin_ = 0; // the sample at which it was first seen
    std::size_t clipAt_ = 0;       // the clip's next sample
};

} // namespace audio
